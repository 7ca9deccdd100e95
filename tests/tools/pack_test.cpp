// Packing a product folder: record order, flags, root size, and every
// refusal leaving no output behind.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "archive_writer.h"
#include "product_scan.h"
#include "progress_bar.h"
#include "support/temp_dir.h"
#include "tool_error.h"
#include "tool_fixtures.h"

namespace fs = std::filesystem;

namespace {

// Packs `product` into `output`; returns the error text ("" on success).
std::string Pack(const std::string& product, const std::string& output, const PackOptions& options = {}) {
    try {
        ProductTree tree = ScanProduct(product, options);
        ProgressBar progress(nullptr, "", tree.archiveBytes);
        WriteArchive(tree, output, progress);
        return "";
    } catch (const SmxToolError& e) {
        return e.file() + ": " + e.what();
    }
}

std::vector<std::string> FolderContents(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(Pack, WritesRootFilesThenFoldersBreadthFirstInCaseInsensitiveOrder) {
    TempDir dir;
    std::string product = dir / "OrvNet";
    MakeTree(product, {
                          {"zeta.txt", "z"},
                          {"OrvNet.exe", "MZ"},
                          {"b/x.txt", "bx"},
                          {"a/deep/d.txt", "add"},
                          {"a/F.txt", "aF"},
                          {"a/e.txt", "ae"},
                          {"C/Ñu/", ""},
                          {"a/Deeper/z.txt", ""},
                      });
    ASSERT_EQ(Pack(product, dir / "out.smx"), "");
    std::vector<std::string> expected = {
        "0 00 8 OrvNet",
        "2 00 2 OrvNet.exe",
        "2 00 1 zeta.txt",
        "1 00 0 a",
        "2 00 2 a\\e.txt",
        "2 00 2 a\\F.txt",
        "1 00 0 b",
        "2 00 2 b\\x.txt",
        "1 00 0 C",
        "1 00 0 a\\deep",
        "2 00 3 a\\deep\\d.txt",
        "1 00 0 a\\Deeper",
        "2 00 0 a\\Deeper\\z.txt",
        "1 00 0 C\\\xD1u",
    };
    EXPECT_EQ(RecordLines(ReadWholeFile(dir / "out.smx")), expected);
}

TEST(Pack, SetsFlagsFromPatternsAndWarnsAboutUnusedOnes) {
    TempDir dir;
    std::string product = dir / "OrvNet";
    MakeTree(product, {
                          {"OrvNet.exe", "MZ"},
                          {"Data/Clientes.tbl", "c"},
                          {"Data/Viejo/x.tbl", "v"},
                          {"OrvServer/DATA/s.TBL", "s"},
                          {"SmGrid.dll", "d"},
                      });
    PackOptions options;
    options.keepPatterns = {"Data/*.tbl", "orvserver/data/*.tbl", "Nada/*"};
    options.systemPatterns = {"Sm*.dll"};
    ProductTree tree = ScanProduct(product, options);
    std::vector<std::string> flagged;
    for (const ProductEntry& e : tree.entries) {
        if (e.keepOnUpdate) flagged.push_back("keep " + e.archiveName);
        if (e.toSystemFolder) flagged.push_back("system " + e.archiveName);
    }
    EXPECT_EQ(flagged, (std::vector<std::string>{"system SmGrid.dll", "keep Data\\Clientes.tbl",
                                                  "keep OrvServer\\DATA\\s.TBL"}));
    ASSERT_EQ(tree.warnings.size(), 1u);
    EXPECT_NE(tree.warnings[0].find("Nada/*"), std::string::npos);
}

TEST(Pack, RootSizeCountsFileRecordsNotFolders) {
    TempDir dir;
    std::string product = dir / "Prod";
    MakeTree(product, {{"Prod.exe", ""}, {"a/", ""}, {"b/c/", ""}, {"b/c/x", "x"}});
    ASSERT_EQ(Pack(product, dir / "p.smx"), "");
    EXPECT_EQ(RecordLines(ReadWholeFile(dir / "p.smx")).front(), "0 00 3 Prod");
}

struct RefusalCase {
    const char* context;
    std::vector<std::pair<std::string, std::string>> files;
    const char* offender;  // path, relative to the product folder, in the message
    const char* reason;    // part of the message
};

TEST(Pack, RefusesTreesWindowsCannotHoldAndLeavesNoOutput) {
    const RefusalCase cases[] = {
        {"CJK letter", {{"Data/数据.tbl", "x"}}, "Data/数据.tbl", "Windows-1252"},
        {"device name", {{"Ayuda/con.txt", "x"}}, "Ayuda/con.txt", "device name"},
        {"trailing dot", {{"a./x", "x"}}, "a.", "dot"},
        {"trailing space", {{"a ", "x"}}, "a ", "space"},
        {"colon", {{"x:y", "x"}}, "x:y", "':'"},
        {"case twins", {{"Data/Año.tbl", "1"}, {"Data/AÑO.TBL", "2"}}, "Data/", "letter case"},
        {"file and folder twins", {{"data", "1"}, {"Data/x", "2"}}, "ata", "letter case"},
        {"path of 150 bytes", {{std::string(100, 'd') + "/" + std::string(49, 'f'), "x"}}, "fff", "150 bytes"},
        {"ñ counts one byte", {{std::string(100, 'd') + "/" + std::string(47, 'f') + "ñ", "x"}}, nullptr, nullptr},
    };
    for (const RefusalCase& c : cases) {
        TempDir dir;
        std::string product = dir / "OrvNet";
        MakeTree(product, c.files);
        WriteWholeFile(dir / "out.smx", "previous archive");
        std::string error = Pack(product, dir / "out.smx");
        if (c.offender == nullptr) {
            EXPECT_EQ(error, "") << c.context;
            continue;
        }
        EXPECT_NE(error.find(c.offender), std::string::npos) << c.context << ": " << error;
        EXPECT_NE(error.find(c.reason), std::string::npos) << c.context << ": " << error;
        EXPECT_EQ(FolderContents(dir.path()), (std::vector<std::string>{"OrvNet", "out.smx"})) << c.context;
        EXPECT_EQ(ReadWholeFile(dir / "out.smx"), Text("previous archive")) << c.context;
    }
}

TEST(Pack, RefusesLinksAndSpecialFilesNamingThem) {
    TempDir dir;
    std::string product = dir / "OrvNet";
    MakeTree(product, {{"OrvNet.exe", "MZ"}, {"Data/x.tbl", "x"}});
    fs::create_symlink(dir / "OrvNet/Data/x.tbl", dir / "OrvNet/Data/link.tbl");
    EXPECT_NE(Pack(product, dir / "a.smx").find("Data/link.tbl: is a symbolic link"), std::string::npos);
    fs::remove(dir / "OrvNet/Data/link.tbl");
    fs::create_directory_symlink(dir.path(), dir / "OrvNet/loop");
    EXPECT_NE(Pack(product, dir / "a.smx").find("loop: is a symbolic link"), std::string::npos);
    fs::remove(dir / "OrvNet/loop");
    ASSERT_EQ(mkfifo((dir / "OrvNet/pipe").c_str(), 0600), 0);
    EXPECT_NE(Pack(product, dir / "a.smx").find("pipe: is neither"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir / "a.smx"));
}

TEST(Pack, RefusesTreesPastTheFormatsLimits) {
    TempDir dir;
    std::string product = dir / "OrvNet";
    MakeTree(product, {{"a", "12345"}, {"b", "1"}, {"c/", ""}});
    struct {
        const char* context;
        PackLimits limits;
        const char* reason;
    } cases[] = {
        {"file too large", {4, 1u << 20, 100}, "below 5 bytes"},
        {"archive too large", {100, 4 * 160 + 5, 100}, "past 645 bytes"},
        {"too many files", {100, 1u << 20, 1}, "more than 1 files"},
        {"exactly at every limit", {5, 4 * 160 + 6, 2}, nullptr},
    };
    for (const auto& c : cases) {
        PackOptions options;
        options.limits = c.limits;
        std::string error = Pack(product, dir / "a.smx", options);
        if (c.reason == nullptr) {
            EXPECT_EQ(error, "") << c.context;
        } else {
            EXPECT_NE(error.find(c.reason), std::string::npos) << c.context << ": " << error;
        }
    }
}

TEST(Pack, FailureWhileWritingRemovesTheUnfinishedArchive) {
    TempDir dir;
    std::string product = dir / "OrvNet";
    MakeTree(product, {{"OrvNet.exe", "MZ"}, {"a.tbl", "aaaa"}, {"b.tbl", "bbbb"}});
    WriteWholeFile(dir / "out.smx", "previous archive");
    struct {
        const char* context;
        void (*change)(const std::string& product);
        const char* reason;
    } cases[] = {
        {"file removed", [](const std::string& p) { fs::remove(p + "/b.tbl"); }, "b.tbl: cannot read"},
        {"file shrank", [](const std::string& p) { WriteWholeFile(p + "/b.tbl", "b"); }, "b.tbl: file shrank"},
        {"file grew", [](const std::string& p) { WriteWholeFile(p + "/b.tbl", "bbbbb"); }, "b.tbl: file grew"},
    };
    for (const auto& c : cases) {
        MakeTree(product, {{"b.tbl", "bbbb"}});
        ProductTree tree = ScanProduct(product, {});
        c.change(product);
        ProgressBar progress(nullptr, "", tree.archiveBytes);
        try {
            WriteArchive(tree, dir / "out.smx", progress);
            ADD_FAILURE() << c.context << ": no error";
        } catch (const SmxToolError& e) {
            EXPECT_NE((e.file() + ": " + e.what()).find(c.reason), std::string::npos) << c.context << ": " << e.what();
        }
        EXPECT_EQ(FolderContents(dir.path()), (std::vector<std::string>{"OrvNet", "out.smx"})) << c.context;
        EXPECT_EQ(ReadWholeFile(dir / "out.smx"), Text("previous archive")) << c.context;
    }
}

TEST(Pack, ArchiveGetsTheUsualFileMode) {
    TempDir dir;
    MakeTree(dir / "P", {{"P.exe", ""}});
    mode_t old = umask(022);
    ASSERT_EQ(Pack(dir / "P", dir / "p.smx"), "");
    umask(old);
    EXPECT_EQ(fs::status(dir / "p.smx").permissions() & fs::perms::all, fs::perms(0644));
}

}  // namespace
