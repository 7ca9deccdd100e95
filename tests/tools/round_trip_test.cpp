// Pack -> verify -> extract gives back the same names and bytes; extract
// refuses archives that would write outside its folder, and writes nothing
// for them.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "archive_check.h"
#include "archive_writer.h"
#include "extract.h"
#include "product_scan.h"
#include "progress_bar.h"
#include "support/temp_dir.h"
#include "tool_error.h"
#include "tool_fixtures.h"

namespace fs = std::filesystem;

namespace {

// Every file and folder below `folder`: relative path -> content ("/" for a folder).
std::map<std::string, Bytes> Snapshot(const std::string& folder) {
    std::map<std::string, Bytes> all;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        std::string relative = fs::relative(entry.path(), folder).string();
        all[relative] = entry.is_directory() ? Text("/") : ReadWholeFile(entry.path().string());
    }
    return all;
}

TEST(RoundTrip, ExtractGivesBackTheSameTree) {
    TempDir dir;
    std::string product = dir / "OrvNet";
    Bytes binary;
    for (int i = 0; i < 3 << 20; ++i) binary.push_back(static_cast<unsigned char>(i * 7 + (i >> 9)));
    MakeTree(product, {
                          {"OrvNet.exe", "MZ"},
                          {"Data/Pendientes.tbl", ""},
                          {"Ayuda/Imágenes/Diseño/Año €.txt", "ñ"},
                          {"Vacía/", ""},
                      });
    WriteWholeFile(dir / "OrvNet/Data/big.tbl", binary);  // more than one copy chunk
    ProductTree tree = ScanProduct(product, {});
    ProgressBar progress(nullptr, "", tree.archiveBytes);
    WriteArchive(tree, dir / "o.smx", progress);

    ArchiveCheck check = CheckArchive(dir / "o.smx");
    ASSERT_TRUE(check.ok) << check.problem;
    EXPECT_EQ(check.summary.files, 4u);
    EXPECT_EQ(check.summary.length, tree.archiveBytes);

    ExtractArchive(dir / "o.smx", dir / "out");
    EXPECT_EQ(Snapshot(dir / "out"), Snapshot(product));
}

TEST(Extract, RefusesNamesThatLeaveTheFolderAndWritesNothing) {
    const struct {
        const char* context;
        Bytes image;
    } cases[] = {
        {"parent component", Cat({Header(0, "P", 2), Header(2, "..\\evil", 4), Text("evil")})},
        {"nested parent", Cat({Header(0, "P", 2), Header(1, "a", 0), Header(2, "a\\..\\..\\evil", 0)})},
        {"absolute", Cat({Header(0, "P", 2), Header(2, "\\tmp\\evil", 0)})},
        {"drive letter", Cat({Header(0, "P", 2), Header(2, "C:\\evil", 0)})},
        {"forward slash", Cat({Header(0, "P", 2), Header(2, "../evil", 0)})},
        {"empty component", Cat({Header(0, "P", 2), Header(1, "a", 0), Header(2, "a\\\\evil", 0)})},
        {"late damage", Cat({Header(0, "P", 3), Header(2, "fine", 1), Text("x"), Header(2, "..\\evil", 0)})},
    };
    for (const auto& c : cases) {
        TempDir dir;
        WriteWholeFile(dir / "a.smx", c.image);
        fs::create_directory(dir / "out");
        try {
            ExtractArchive(dir / "a.smx", dir / "out");
            ADD_FAILURE() << c.context << ": extracted";
        } catch (const SmxToolError& e) {
            EXPECT_EQ(e.file(), dir / "a.smx") << c.context;
            EXPECT_NE(std::string(e.what()).find("nothing extracted"), std::string::npos) << c.context;
        }
        EXPECT_TRUE(fs::is_empty(dir / "out")) << c.context;
        EXPECT_EQ(std::vector<std::string>({"a.smx", "out"}),
                  [&] {
                      std::vector<std::string> names;
                      for (const auto& e : fs::directory_iterator(dir.path())) names.push_back(e.path().filename());
                      std::sort(names.begin(), names.end());
                      return names;
                  }())
            << c.context;
    }
}

TEST(Extract, WritesThroughNoSymbolicLinkInTheTarget) {
    TempDir dir;
    fs::create_directories(dir / "out");
    fs::create_directories(dir / "elsewhere");
    fs::create_directory_symlink(dir / "elsewhere", dir / "out/Data");
    WriteWholeFile(dir / "a.smx", Cat({Header(0, "P", 2), Header(1, "Data", 0), Header(2, "Data\\x", 1), Text("x")}));
    EXPECT_THROW(ExtractArchive(dir / "a.smx", dir / "out"), SmxToolError);
    EXPECT_TRUE(fs::is_empty(dir / "elsewhere"));

    fs::remove(dir / "out/Data");
    fs::create_symlink(dir / "elsewhere/target", dir / "out/x");
    WriteWholeFile(dir / "b.smx", Cat({Header(0, "P", 2), Header(2, "x", 1), Text("x")}));
    EXPECT_THROW(ExtractArchive(dir / "b.smx", dir / "out"), SmxToolError);
    EXPECT_FALSE(fs::exists(dir / "elsewhere/target"));
}

}  // namespace
