// PC::CreateShortcut: the link file, read back through the shell's own
// IShellLinkA, carries the target, the maker's description, the arguments
// and the target's folder as working folder.
#include "platform/pc.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "platform/shortcut_folder.h"
#include "support/temp_dir.h"

namespace {

struct LinkContent {
    HRESULT loaded = E_FAIL;
    std::string path, description, arguments, workingFolder;
};

LinkContent ReadLink(const std::string& link) {
    LinkContent content;
    CoInitialize(nullptr);
    IShellLinkA* shellLink = nullptr;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&shellLink))) &&
        SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        WCHAR wide[MAX_PATH];
        MultiByteToWideChar(CP_ACP, 0, link.c_str(), -1, wide, MAX_PATH);
        content.loaded = file->Load(wide, STGM_READ);
        char text[MAX_PATH] = {};
        shellLink->GetPath(text, MAX_PATH, nullptr, 0);
        content.path = text;
        text[0] = '\0';
        shellLink->GetDescription(text, MAX_PATH);
        content.description = text;
        text[0] = '\0';
        shellLink->GetArguments(text, MAX_PATH);
        content.arguments = text;
        text[0] = '\0';
        shellLink->GetWorkingDirectory(text, MAX_PATH);
        content.workingFolder = text;
    }
    if (file != nullptr) file->Release();
    if (shellLink != nullptr) shellLink->Release();
    CoUninitialize();
    return content;
}

// The link file's flags word: bit 0x20 says that it stores arguments.
const unsigned kHasArguments = 0x20;
unsigned LinkFlags(const std::string& link) {
    std::vector<unsigned char> bytes = ReadWholeFile(link);
    if (bytes.size() < 0x18) return 0;
    return bytes[0x14] | bytes[0x15] << 8 | bytes[0x16] << 16 | static_cast<unsigned>(bytes[0x17]) << 24;
}

TEST(PcShortcut, LinkReadsBackWithDescriptionArgumentsAndWorkingFolder) {
    PC pc;
    TempDir dir;
    ASSERT_TRUE(CreateDirectoryA((dir / "Orv").c_str(), nullptr));
    std::string target = dir / "Orv/OrvNet.exe";
    WriteWholeFile(target, std::string("MZ"));
    std::string link = dir / "OrvNet.lnk";

    ASSERT_EQ(pc.CreateShortcut(target.c_str(), link.c_str(), "-servidor 2"), S_OK);
    LinkContent content = ReadLink(link);
    ASSERT_EQ(content.loaded, S_OK);
    EXPECT_STRCASEEQ(content.path.c_str(), target.c_str());
    EXPECT_EQ(content.description, "Velmarisco");
    EXPECT_EQ(content.arguments, "-servidor 2");
    EXPECT_STRCASEEQ(content.workingFolder.c_str(), (dir / "Orv").c_str());
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
    EXPECT_EQ(ReadLink(withNull).arguments, "");
    EXPECT_EQ(ReadLink(withEmpty).arguments, "");
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
