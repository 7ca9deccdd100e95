// smx list, verify and extract on built installers: the archive inside the
// payload (RCDATA 9001) is read as if it had been given directly, and every
// kind of damage to the executable, its cabinet or the archive ends in
// "smx: <installer>: <problem>", exit 1, no output folder and no temporary
// files left behind.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <functional>

#include "pe_image.h"
#include "pe_resource.h"
#include "sha256.h"
#include "version_info.h"
#include "support/temp_dir.h"
#include "tool_fixtures.h"
#include "install/cab_format.h"
#include "tools/cab/cab_writer.h"

namespace fs = std::filesystem;

namespace {

PeImage InstallerImage(const ByteVector& payload) {
    return MakePeImage({{PeResourceTypeRcdata, 9001, payload}, {PeResourceTypeRcdata, 9002, Text("other")},
                        {14, 1, Text("icon group")},
                        {PeResourceTypeVersion, 1,
                         MakeVersionResource({2, 5, 0, 0}, {{u"ProductName", u"OrvNet"},
                                                            {u"ProductVersion", u"2.5.0.0"},
                                                            {u"CompanyName", u"Velmarisco"},
                                                            {u"FileDescription", u"Instalador de OrvNet 2.5"},
                                                            {u"OriginalFilename", u"OrvNetSetup.exe"}})}});
}

ByteVector InstallerAround(const ByteVector& payload) { return InstallerImage(payload).bytes; }

// The offset of the first data block's data in a cabinet.
size_t FirstBlockData(const ByteVector& cabinet) { return ReadU32(cabinet.data() + cab::kHeaderSize) + 8; }

class InstallerInput : public ::testing::Test {
protected:
    void SetUp() override {
        // smx's private folders go here, so that leftovers can be seen.
        const char* old = std::getenv("TMPDIR");
        oldTmp_ = old != nullptr ? old : "";
        hadTmp_ = old != nullptr;
        fs::create_directory(dir / "tmp");
        setenv("TMPDIR", (dir / "tmp").c_str(), 1);

        MakeTree(dir / "OrvNet", {{"OrvNet.exe", std::string(70000, 'x') + "end"},
                                  {"Léame.txt", "hola"},
                                  {"Data/Clientes.tbl", "tabla"},
                                  {"SmComp.dll", "MZ component"},
                                  {"Ayuda/", ""}});
        ASSERT_EQ(Smx({"pack", dir / "OrvNet", "-o", archive, "--keep", "Data/*.tbl", "--system", "Sm*.dll"}).status,
                  0);
        ASSERT_EQ(Smx({"cab", archive, "-o", cabinetPath}).status, 0);
        cabinet = ReadWholeFile(cabinetPath);
        WriteWholeFile(installer, InstallerAround(cabinet));
    }
    void TearDown() override {
        if (hadTmp_) {
            setenv("TMPDIR", oldTmp_.c_str(), 1);
        } else {
            unsetenv("TMPDIR");
        }
    }

    std::vector<std::string> SmxLeftovers() const {
        std::vector<std::string> left;
        for (const auto& entry : fs::directory_iterator(dir / "tmp")) {
            if (entry.path().filename().string().rfind("smx.", 0) == 0) left.push_back(entry.path());
        }
        return left;
    }

    TempDir dir;
    std::string archive = dir / "OrvNet.smx";
    std::string cabinetPath = dir / "OrvNet.cab";
    std::string installer = dir / "OrvNetSetup.exe";
    ByteVector cabinet;

private:
    std::string oldTmp_;
    bool hadTmp_ = false;
};

std::vector<std::string> TreeOf(const std::string& root) {
    std::vector<std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        std::string line = fs::relative(entry.path(), root).string();
        if (entry.is_regular_file()) {
            Bytes bytes = ReadWholeFile(entry.path());
            line += " " + Sha256Hex(bytes.data(), bytes.size());
        }
        entries.push_back(line);
    }
    std::sort(entries.begin(), entries.end());
    return entries;
}

TEST_F(InstallerInput, ListVerifyAndExtractReadTheArchiveInside) {
    SmxRun listArchive = Smx({"list", archive});
    SmxRun listInstaller = Smx({"list", installer});
    EXPECT_EQ(listInstaller.status, 0) << listInstaller.err;
    EXPECT_EQ(listInstaller.out, listArchive.out);

    ASSERT_EQ(Smx({"extract", archive, "-C", dir / "from_archive"}).status, 0);
    SmxRun extract = Smx({"extract", installer, "-C", dir / "from_installer"});
    ASSERT_EQ(extract.status, 0) << extract.err;
    EXPECT_EQ(TreeOf(dir / "from_installer"), TreeOf(dir / "from_archive"));

    SmxRun verify = Smx({"verify", installer});
    ASSERT_EQ(verify.status, 0) << verify.err;
    Bytes exe = ReadWholeFile(installer);
    std::string okLine = Smx({"verify", archive}).out;
    okLine.replace(0, archive.size(), installer);
    EXPECT_EQ(verify.out, okLine +
                              "  product         OrvNet\n"
                              "  content         4 files in 2 folders, 70024 bytes\n"
                              "  system folder   SmComp.dll\n"
                              "  keep on update  Data/Clientes.tbl\n"
                              "  cabinet         OrvNet.smx, " + std::to_string(cabinet.size()) + " bytes, 3 blocks, SHA-256 " +
                              Sha256Hex(cabinet.data(), cabinet.size()) + "\n"
                              "  installer       SHA-256 " + Sha256Hex(exe.data(), exe.size()) + "\n"
                              "  version         2.5.0.0\n"
                              "  product name    OrvNet\n"
                              "  product version 2.5.0.0\n"
                              "  company         Velmarisco\n"
                              "  description     Instalador de OrvNet 2.5\n"
                              "  original name   OrvNetSetup.exe\n");
    EXPECT_EQ(verify.err, "");
    EXPECT_EQ(SmxLeftovers(), std::vector<std::string>{});
}

TEST_F(InstallerInput, DamageIsReportedAboutTheInstallerAndWritesNothing) {
    // The archive inside that is wrong: its last file runs past its end.
    WriteWholeFile(dir / "bad.smx", Cat({Header(0, "OrvNet", 2), Header(2, "a", 9), Text("short")}));
    std::string error;
    ASSERT_TRUE(WriteSingleFileCabinet(dir / "bad.smx", "OrvNet.smx", dir / "bad.cab", error)) << error;
    // Wrong at its first record, and its last block does not expand (it has
    // no checksum to fail): the block is the problem, even though a check
    // reading the archive as it expands finds the record first.
    std::string lines;
    for (int i = 0; lines.size() < 70000; ++i) lines += "line " + std::to_string(i) + "\n";
    lines.resize(70000);
    WriteWholeFile(dir / "bad_early.smx",
                   Cat({Header(0, "OrvNet", 2), Header(2, "Data\\a", 0), Header(2, "b", 70000), Text(lines)}));
    ASSERT_TRUE(WriteSingleFileCabinet(dir / "bad_early.smx", "OrvNet.smx", dir / "bad_early.cab", error)) << error;
    ByteVector badEarly = ReadWholeFile(dir / "bad_early.cab");
    size_t lastBlock = ReadU32(badEarly.data() + cab::kHeaderSize);
    for (int i = 0; i < 2; ++i) lastBlock += cab::kDataHeaderSize + ReadU16(badEarly.data() + lastBlock + cab::kCompressedSize);
    PutU32(badEarly, lastBlock + cab::kChecksum, 0);
    badEarly[lastBlock + cab::kDataHeaderSize + 2] ^= 0xFF;
    const std::string length = std::to_string(fs::file_size(archive));

    const size_t block = FirstBlockData(cabinet);
    const struct {
        const char* what;
        std::function<ByteVector()> bytes;
        std::string problem;
    } cases[] = {
        {"truncated",
         [&] {
             PeImage image = InstallerImage(cabinet);
             image.bytes.resize(image.firstData + cabinet.size() / 2);
             return image.bytes;
         },
         "damaged Windows program: RCDATA 9001: its " + std::to_string(cabinet.size()) +
             " bytes run past the end of the file (is it cut short?)"},
        {"corrupted block",
         [&] {
             ByteVector c = cabinet;
             c[block + 40] ^= 0x5A;
             return InstallerAround(c);
         },
         "payload (RCDATA 9001): damaged cabinet: data block 1 of 3 fails its checksum"},
        {"corrupted block without checksum",
         [&] {
             ByteVector c = cabinet;
             PutU32(c, block - 8, 0);
             c[block + 2] ^= 0xFF;
             return InstallerAround(c);
         },
         "payload (RCDATA 9001): damaged cabinet: data block 1 of 3 does not expand to the 32768 bytes it records"},
        {"archive wrong early, last block damaged", [&] { return InstallerAround(badEarly); },
         "payload (RCDATA 9001): damaged cabinet: data block 3 of 3 does not expand to the " +
             std::to_string(3 * 160 + 70000 - 2 * 32768) + " bytes it records"},
        {"recorded length wrong",
         [&] {
             ByteVector c = cabinet;
             size_t file = ReadU32(c.data() + cab::kFilesOffset);
             PutU32(c, file, ReadU32(c.data() + file) + 1);
             return InstallerAround(c);
         },
         "payload (RCDATA 9001): damaged cabinet: the blocks expand to " + length + " bytes, the file records " +
             std::to_string(std::stoul(length) + 1)},
        {"missing resource", [] { return MakePeImage({{14, 1, Text("icon group")}}).bytes; },
         "not an OrvNet installer: a Windows program without RCDATA 9001"},
        {"empty payload", [] { return InstallerAround({}); }, "payload (RCDATA 9001): empty"},
        {"payload not a cabinet", [] { return InstallerAround(Text("MZ, but no cabinet")); },
         "payload (RCDATA 9001): damaged cabinet: no cabinet header"},
        // No problem given: the same words as for the archive given directly.
        {"wrong archive inside", [&] { return InstallerAround(ReadWholeFile(dir / "bad.cab")); }, ""},
        {"MZ but no program",
         [] { return Text("MZ and nothing that follows makes it a Windows program, however long it may go on"); },
         "neither an archive nor a Windows program: no PE header where its MZ header points"},
    };
    for (const auto& c : cases) {
        WriteWholeFile(dir / "damaged.exe", c.bytes());
        for (std::vector<std::string> args : {std::vector<std::string>{"verify"}, {"list"}, {"extract", "-C", dir / "x"}}) {
            std::string expected;
            if (c.problem.empty()) {
                std::vector<std::string> direct = args;
                direct.insert(direct.begin() + 1, dir / "bad.smx");
                expected = Smx(direct).err;
                expected.replace(0, ("smx: " + dir / "bad.smx").size(), "smx: " + dir / "damaged.exe");
            } else {
                expected = "smx: " + dir / "damaged.exe" + ": " + c.problem +
                           (args[0] == "extract" ? "; nothing extracted\n" : "\n");
            }
            args.insert(args.begin() + 1, dir / "damaged.exe");
            SmxRun run = Smx(args);
            EXPECT_EQ(run.status, 1) << c.what << ", " << args[0];
            EXPECT_EQ(run.err, expected) << c.what << ", " << args[0];
            if (args[0] == "verify") {
                EXPECT_EQ(run.out, "") << c.what;
            }
            EXPECT_FALSE(fs::exists(dir / "x")) << c.what;
        }
    }
    EXPECT_EQ(SmxLeftovers(), std::vector<std::string>{});
}

// An installer's payload is written into a private temporary folder, and
// for list (and extract, diff) the archive is expanded there, as large as
// the product. Ctrl-C while smx works on it must not leave it behind: smx
// is stopped while the folder exists, interrupted, and let go.
TEST_F(InstallerInput, AnInterruptWhileExpandingLeavesNoTemporaryFiles) {
    constexpr uint32_t kZeros = 150u << 20;
    WriteWholeFile(dir / "big.smx", Cat({Header(0, "OrvNet", 2), Header(2, "big.bin", kZeros)}));
    fs::resize_file(dir / "big.smx", 2 * 160 + uint64_t(kZeros));
    ASSERT_EQ(Smx({"cab", dir / "big.smx", "-o", dir / "big.cab"}).status, 0);
    WriteWholeFile(dir / "big.exe", InstallerAround(ReadWholeFile(dir / "big.cab")));
    fs::remove(dir / "big.smx");

    for (const char* command : {"verify", "list"}) {
        int status = InterruptSmxOnceSeen({command, dir / "big.exe"}, [&] { return !SmxLeftovers().empty(); });
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGINT) << command << ": " << status;
        EXPECT_EQ(SmxLeftovers(), std::vector<std::string>{}) << command;
    }
}

}  // namespace
