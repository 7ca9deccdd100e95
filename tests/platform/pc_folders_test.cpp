// PC's folder queries: the shape of every result (no trailing backslash but
// on the temporary folder and drive roots), virtual folders, bounded copies.
#include "platform/pc/pc.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

using Query = char* (PC::*)(char*, size_t);

struct FolderCase {
    const char* name;
    Query query;
    bool hasPath;  // false: a virtual folder without a file-system path
};

const FolderCase kShellFolders[] = {
    {"DesktopFolder", &PC::DesktopFolder, true},
    {"ProgramsFolder", &PC::ProgramsFolder, true},
    {"PrintersFolder", &PC::PrintersFolder, false},
    {"PersonalFolder", &PC::PersonalFolder, true},
    {"StartupFolder", &PC::StartupFolder, true},
    {"StartMenuFolder", &PC::StartMenuFolder, true},
    {"NetworkFolder", &PC::NetworkFolder, false},
    {"NetHoodFolder", &PC::NetHoodFolder, true},
    {"CommonStartMenuFolder", &PC::CommonStartMenuFolder, true},
    {"CommonProgramsFolder", &PC::CommonProgramsFolder, true},
    {"CommonStartupFolder", &PC::CommonStartupFolder, true},
    {"CommonDesktopFolder", &PC::CommonDesktopFolder, true},
    {"PrintHoodFolder", &PC::PrintHoodFolder, true},
    {"ProgramFilesFolder", &PC::ProgramFilesFolder, true},
    {"CommonDocumentsFolder", &PC::CommonDocumentsFolder, true},
    {"WindowsFolder", &PC::WindowsFolder, true},
    {"WindowsFolder260", &PC::WindowsFolder260, true},
    {"SystemFolder", &PC::SystemFolder, true},
    {"SystemFolder260", &PC::SystemFolder260, true},
    {"CurrentFolder", &PC::CurrentFolder, true},
    {"CurrentFolder260", &PC::CurrentFolder260, true},
};

bool EndsWithBackslash(const std::string& text) { return !text.empty() && text.back() == '\\'; }

TEST(PcFolders, FoldersHaveNoTrailingBackslashAndExist) {
    PC pc;
    for (const FolderCase& c : kShellFolders) {
        SCOPED_TRACE(c.name);
        char buffer[PathBufferSize];
        std::memset(buffer, 0xdd, sizeof buffer);
        char* result = (pc.*c.query)(buffer, sizeof buffer);
        EXPECT_EQ(result, buffer);
        std::string path(buffer);
        if (!c.hasPath) {
            EXPECT_EQ(path, "");
            continue;
        }
        EXPECT_GT(path.size(), 3u);
        EXPECT_FALSE(EndsWithBackslash(path)) << path;
        EXPECT_TRUE(pc.Exists(buffer)) << path;
    }
}

TEST(PcFolders, TempFolderKeepsItsBackslash) {
    PC pc;
    char temp[PathBufferSize];
    char temp260[ShortPathBufferSize];
    std::string path = pc.TempFolder(temp);
    EXPECT_TRUE(EndsWithBackslash(path)) << path;
    EXPECT_TRUE(pc.Exists(temp));
    EXPECT_EQ(std::string(pc.TempFolder260(temp260)), path);
}

TEST(PcFolders, CurrentFolderAtADriveRootKeepsTheRoot) {
    PC pc;
    char saved[PathBufferSize];
    pc.CurrentFolder(saved);
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\"));
    char buffer[PathBufferSize];
    EXPECT_STREQ(pc.CurrentFolder(buffer), "C:\\");
    EXPECT_STREQ(pc.CurrentFolder260(buffer), "C:\\");
    SetCurrentDirectoryA(saved);
}

TEST(PcFolders, ResultsAreCutToTheCapacityAndTerminated) {
    PC pc;
    const Query queries[] = {&PC::PersonalFolder, &PC::WindowsFolder, &PC::TempFolder, &PC::SystemFolder260};
    for (Query query : queries) {
        char full[PathBufferSize];
        std::string whole = (pc.*query)(full, sizeof full);
        ASSERT_GT(whole.size(), 3u);

        unsigned char buffer[16];
        std::memset(buffer, 0xdd, sizeof buffer);
        (pc.*query)(reinterpret_cast<char*>(buffer), 4);
        EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer)), whole.substr(0, 3));
        for (size_t i = 4; i < sizeof buffer; ++i) EXPECT_EQ(buffer[i], 0xdd) << "byte " << i << " of " << whole;

        buffer[0] = 0xdd;
        (pc.*query)(reinterpret_cast<char*>(buffer), 0);
        EXPECT_EQ(buffer[0], 0xdd);
    }
}

TEST(PcFolders, ComputerNameIsAPlainName) {
    PC pc;
    char buffer[PathBufferSize];
    std::string name = pc.ComputerName(buffer);
    EXPECT_FALSE(name.empty());
    EXPECT_EQ(name.find('\\'), std::string::npos);
}

}  // namespace
