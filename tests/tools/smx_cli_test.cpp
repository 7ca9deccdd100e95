// The smx program from outside: exit status, the "smx: <file>: <problem>"
// messages, quiet success when stderr is no terminal, and no stray output.
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <iterator>
#include <regex>

#include "support/temp_dir.h"
#include "tool_fixtures.h"
#include "tools/cab/cab_reader.h"

namespace fs = std::filesystem;

namespace {

TEST(SmxCli, EveryCommandHasHelp) {
    for (std::vector<std::string> args : {std::vector<std::string>{"--help"}, {"pack", "--help"},
                                          {"list", "--help"}, {"verify", "--help"}, {"extract", "--help"},
                                          {"cab", "--help"}, {"diff", "--help"}}) {
        SmxRun run = Smx(args);
        EXPECT_EQ(run.status, 0) << args[0];
        EXPECT_NE(run.out.find("Usage: smx"), std::string::npos) << run.out;
    }
    SmxRun usage = Smx({"pack"});
    EXPECT_EQ(usage.status, 2);
    EXPECT_NE(usage.err.find("PRODUCT_DIR is required"), std::string::npos) << usage.err;
}

// The release and the commit the tool was built from, as build logs and bug
// reports quote it.
TEST(SmxCli, VersionNamesTheReleaseAndTheCommit) {
    SmxRun run = Smx({"--version"});
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(std::regex_match(run.out, std::regex("smx 2\\.5\\.0\\.0 \\(commit ([0-9a-f]{12}(-modified)?|unknown)\\)\n")))
        << run.out;
}

TEST(SmxCli, PacksListsVerifiesAndExtractsQuietly) {
    TempDir dir;
    MakeTree(dir / "OrvNet", {{"OrvNet.exe", "MZ"}, {"Data/Año.tbl", "1234"}, {"Data/x.dll", "d"}});
    SmxRun pack = Smx({"pack", dir / "OrvNet", "-o", dir / "o.smx", "--keep", "Data/*.tbl", "--system", "data/*.DLL"});
    EXPECT_EQ(pack.status, 0) << pack.err;
    EXPECT_EQ(pack.err, "");  // no warnings, no progress bar off a terminal
    EXPECT_EQ(pack.out, "");

    SmxRun list = Smx({"list", dir / "o.smx"});
    EXPECT_EQ(list.status, 0) << list.err;
    EXPECT_EQ(list.out,
              "root --          4 OrvNet\n"
              "file --          2 OrvNet.exe\n"
              "dir  --          0 Data\n"
              "file k-          4 Data/Año.tbl\n"
              "file -s          1 Data/x.dll\n");

    SmxRun verify = Smx({"verify", dir / "o.smx"});
    EXPECT_EQ(verify.status, 0) << verify.err;
    EXPECT_EQ(verify.out, dir / "o.smx" + ": ok, root OrvNet, 1 directories, 3 files (7 bytes), 807 bytes in all\n");

    SmxRun extract = Smx({"extract", dir / "o.smx", "-C", dir / "x"});
    EXPECT_EQ(extract.status, 0) << extract.err;
    EXPECT_EQ(ReadWholeFile(dir / "x/Data/Año.tbl"), Text("1234"));
}

TEST(SmxCli, WarnsAboutLikelyMistakes) {
    TempDir dir;
    MakeTree(dir / "OrvNet", {{"Data/a.tbl", "1"}});
    SmxRun pack = Smx({"pack", dir / "OrvNet", "-o", dir / "o.smx", "--keep", "Datos/*.tbl"});
    EXPECT_EQ(pack.status, 0) << pack.err;
    EXPECT_NE(pack.err.find("smx: warning: --keep 'Datos/*.tbl' matches no file"), std::string::npos) << pack.err;
    EXPECT_NE(pack.err.find("smx: warning: no main program 'OrvNet.exe'"), std::string::npos) << pack.err;
}

TEST(SmxCli, FailuresNameTheFileExitOneAndLeaveNoOutput) {
    TempDir dir;
    MakeTree(dir / "OrvNet", {{"OrvNet.exe", "MZ"}});
    fs::create_symlink("/etc/passwd", dir / "OrvNet/passwd");
    WriteWholeFile(dir / "bad.smx", Cat({Header(0, "P", 2), Header(2, "a", 9), Text("short")}));
    const struct {
        std::vector<std::string> args;
        std::string message;
    } cases[] = {
        {{"pack", dir / "OrvNet", "-o", dir / "o.smx"}, "smx: " + dir / "OrvNet/passwd" + ": is a symbolic link"},
        {{"pack", dir / "none", "-o", dir / "o.smx"}, "smx: " + dir / "none" + ": is not a folder"},
        {{"pack", dir.path(), "-o", dir / "OrvNet/o.smx"}, "smx: " + dir / "OrvNet/o.smx" + ": lies inside"},
        {{"pack", dir / "OrvNet", "-o", dir / "no/o.smx"}, "smx: " + dir / "no/o.smx" + ": its folder does not exist"},
        {{"verify", dir / "bad.smx"}, "smx: " + dir / "bad.smx" + ": record at offset 160 (a): content of 9 bytes"},
        {{"list", dir / "bad.smx"}, "smx: " + dir / "bad.smx" + ": record at offset 160: content runs past"},
        {{"verify", dir / "o.smx"}, "smx: " + dir / "o.smx" + ": no such file"},
        {{"extract", dir / "bad.smx", "-C", dir / "x"}, "smx: " + dir / "bad.smx" + ": record at offset 160 (a)"},
    };
    for (const auto& c : cases) {
        SmxRun run = Smx(c.args);
        EXPECT_EQ(run.status, 1) << c.message;
        EXPECT_EQ(run.err.rfind(c.message, 0), 0u) << "expected: " << c.message << "\ngot: " << run.err;
        EXPECT_FALSE(fs::exists(dir / "o.smx")) << c.message;
        EXPECT_FALSE(fs::exists(dir / "x")) << c.message;
    }
}

TEST(SmxCli, CabCompressesAVerifiedArchiveIntoThePayloadCabinet) {
    TempDir dir;
    MakeTree(dir / "OrvNet", {{"OrvNet.exe", std::string(70000, 'x')}, {"Data/a.tbl", "1234"}});
    ASSERT_EQ(Smx({"pack", dir / "OrvNet", "-o", dir / "o.smx"}).status, 0);
    SmxRun cab = Smx({"cab", dir / "o.smx", "-o", dir / "o.cab"});
    ASSERT_EQ(cab.status, 0) << cab.err;
    EXPECT_EQ(cab.err, "");

    CabinetSummary summary;
    std::string error;
    ASSERT_EQ(CheckCabinet(dir / "o.cab", summary, error), CabinetProblem::None) << error;
    EXPECT_EQ(summary.fileName, "OrvNet.smx");
    EXPECT_EQ(summary.fileSize, fs::file_size(dir / "o.smx"));
}

TEST(SmxCli, CabRefusesADamagedArchiveAndWritesNothing) {
    TempDir dir;
    WriteWholeFile(dir / "bad.smx", Cat({Header(0, "OrvNet", 2), Header(2, "a", 9), Text("short")}));
    SmxRun cab = Smx({"cab", dir / "bad.smx", "-o", dir / "o.cab"});
    EXPECT_EQ(cab.status, 1);
    EXPECT_EQ(cab.err.rfind("smx: " + dir / "bad.smx" + ": ", 0), 0u) << cab.err;
    EXPECT_FALSE(fs::exists(dir / "o.cab"));
}

// Ctrl-C while smx pack writes a large archive, or smx cab its cabinet,
// leaves neither the output nor its temporary file beside it.
TEST(SmxCli, InterruptedOutputsLeaveNothing) {
    TempDir dir;
    MakeTree(dir / "OrvNet", {{"OrvNet.exe", "MZ"}, {"big.bin", ""}});
    fs::resize_file(dir / "OrvNet/big.bin", 300u << 20);  // sparse: no disk used
    WriteWholeFile(dir / "big.smx", Cat({Header(0, "OrvNet", 2), Header(2, "big.bin", 300u << 20)}));
    fs::resize_file(dir / "big.smx", 2 * 160 + (300u << 20));
    fs::create_directory(dir / "out");
    auto outputs = [&] { return std::distance(fs::directory_iterator(dir / "out"), fs::directory_iterator()); };
    for (std::vector<std::string> args : {std::vector<std::string>{"pack", dir / "OrvNet", "-o", dir / "out/o.smx"},
                                          {"cab", dir / "big.smx", "-o", dir / "out/o.cab"}}) {
        int status = InterruptSmxOnceSeen(args, [&] { return outputs() > 0; });
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGINT) << args[0] << ": " << status;
        EXPECT_EQ(outputs(), 0) << args[0];
    }
}

}  // namespace
