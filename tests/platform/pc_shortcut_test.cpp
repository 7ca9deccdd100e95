// PC::CreateShortcut: the link file, read back through the shell's own
// IShellLinkA, carries the target, the maker's description, the arguments
// and the target's folder as working folder.
#include "platform/pc/pc.h"

#include <gtest/gtest.h>
#include "common/byte_order.h"

#include <optional>
#include <string>
#include <vector>

#include "platform/pc/shortcut_folder.h"
#include "support/shortcut_reader.h"
#include "support/temp_dir.h"

namespace {

// The link file's flags word: bit 0x20 says that it stores arguments.
const unsigned kHasArguments = 0x20;
unsigned LinkFlags(const std::string& link) {
    std::vector<unsigned char> bytes = ReadWholeFile(link);
    if (bytes.size() < 0x18) return 0;
    return ReadU32(&bytes[0x14]);
}

TEST(PcShortcut, LinkReadsBackWithDescriptionArgumentsAndWorkingFolder) {
    PC pc;
    TempDir dir;
    ASSERT_TRUE(CreateDirectoryA((dir / "Orv").c_str(), nullptr));
    std::string target = dir / "Orv/OrvNet.exe";
    WriteWholeFile(target, std::string("MZ"));
    std::string link = dir / "OrvNet.lnk";

    ASSERT_EQ(pc.CreateShortcut(target.c_str(), link.c_str(), "-servidor 2"), S_OK);
    std::optional<LinkInfo> content = ReadShortcut(link);
    ASSERT_TRUE(content.has_value());
    EXPECT_STRCASEEQ(content->target.c_str(), target.c_str());
    EXPECT_EQ(content->description, "Velmarisco");
    EXPECT_EQ(content->arguments, "-servidor 2");
    EXPECT_STRCASEEQ(content->workingFolder.c_str(), (dir / "Orv").c_str());
}

TEST(PcShortcut, NullArgumentsAreNotSetButEmptyOnesAre) {
    PC pc;
    TempDir dir;
    std::string target = dir / "Q.exe";
    WriteWholeFile(target, std::string("MZ"));
    std::string withNull = dir / "null.lnk";
    std::string withEmpty = dir / "empty.lnk";
    ASSERT_EQ(pc.CreateShortcut(target.c_str(), withNull.c_str(), nullptr), S_OK);
    ASSERT_EQ(pc.CreateShortcut(target.c_str(), withEmpty.c_str(), ""), S_OK);
    ASSERT_TRUE(ReadShortcut(withNull).has_value());
    ASSERT_TRUE(ReadShortcut(withEmpty).has_value());
    EXPECT_EQ(ReadShortcut(withNull)->arguments, "");
    EXPECT_EQ(ReadShortcut(withEmpty)->arguments, "");
    EXPECT_EQ(LinkFlags(withNull) & kHasArguments, 0u);
    EXPECT_EQ(LinkFlags(withEmpty) & kHasArguments, kHasArguments);
}

TEST(PcShortcut, ALinkThatCannotBeSavedReportsTheFailure) {
    PC pc;
    TempDir dir;
    std::string target = dir / "Q.exe";
    std::string link = dir / "missing-folder/Q.lnk";
    EXPECT_TRUE(FAILED(pc.CreateShortcut(target.c_str(), link.c_str(), "")));
    EXPECT_FALSE(pc.Exists(link.c_str()));
}

TEST(ShortcutWorkingFolder, IsTheFolderOfTheTarget) {
    struct Case {
        const char* target;
        const char* folder;
    };
    const Case cases[] = {
        {"C:\\P\\Q.exe", "C:\\P"},
        {"C:\\P.d\\Q.exe", "C:\\P.d"},
        {"C:\\P.d\\Q", "C:\\P.d"},  // no extension: still the folder, not "C:"
        {"C:\\Q.exe", "C:\\"},      // the drive root, not the drive's current folder
        {"\\Q.exe", ""},
        {"Q.exe", ""},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.target);
        char folder[PathBufferSize];
        EXPECT_STREQ(ShortcutWorkingFolder(c.target, folder, sizeof folder), c.folder);
    }
    char small[4];
    EXPECT_STREQ(ShortcutWorkingFolder("C:\\Program\\Q.exe", small, sizeof small), "C:\\");
}

}  // namespace
