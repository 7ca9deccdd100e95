// PC's file system operations: existence, removal, folder trees.
#include "platform/pc/pc.h"

#include <gtest/gtest.h>

#include <string>

#include "support/temp_dir.h"

namespace {

TEST(PcFiles, ExistsAndRemoveFile) {
    PC pc;
    TempDir dir;
    std::string file = dir / "a.txt";
    EXPECT_FALSE(pc.Exists(file.c_str()));
    WriteWholeFile(file, std::string("x"));
    EXPECT_TRUE(pc.Exists(file.c_str()));
    EXPECT_TRUE(pc.Exists(dir.path().c_str()));
    EXPECT_TRUE(pc.RemoveFile(file.c_str()));
    EXPECT_FALSE(pc.Exists(file.c_str()));
    EXPECT_FALSE(pc.RemoveFile(file.c_str()));
    // A folder is not a file.
    EXPECT_FALSE(pc.RemoveFile(dir.path().c_str()));
    EXPECT_TRUE(pc.Exists(dir.path().c_str()));
}

TEST(PcFiles, RemoveFolderRemovesOnlyEmptyFolders) {
    PC pc;
    TempDir dir;
    std::string folder = dir / "sub";
    std::string inside = dir / "sub/keep.txt";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    WriteWholeFile(inside, std::string("x"));
    EXPECT_FALSE(pc.RemoveFolder(folder.c_str()));
    EXPECT_TRUE(pc.Exists(inside.c_str()));
    ASSERT_TRUE(pc.RemoveFile(inside.c_str()));
    EXPECT_TRUE(pc.RemoveFolder(folder.c_str()));
    EXPECT_FALSE(pc.Exists(folder.c_str()));
}

TEST(PcFiles, MakeFolderTreeCreatesEveryMissingParent) {
    PC pc;
    TempDir dir;
    std::string leaf = dir / "A/B/C";
    EXPECT_TRUE(pc.MakeFolderTree(leaf.c_str()));
    EXPECT_EQ(GetFileAttributesA((dir / "A").c_str()), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_EQ(GetFileAttributesA(leaf.c_str()), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
    // The leaf exists now: its creation fails, and nothing else changes.
    EXPECT_FALSE(pc.MakeFolderTree(leaf.c_str()));
    EXPECT_TRUE(pc.Exists(leaf.c_str()));
    // A final backslash is the same tree.
    std::string sibling = dir / "A/D\\";
    EXPECT_TRUE(pc.MakeFolderTree(sibling.c_str()));
    EXPECT_TRUE(pc.Exists((dir / "A/D").c_str()));
}

TEST(PcFiles, MakeFolderTreeRefusesRootsAndOverlongPaths) {
    PC pc;
    TempDir dir;
    char saved[PathBufferSize];
    pc.CurrentFolder(saved);
    ASSERT_TRUE(SetCurrentDirectoryA(dir.path().c_str()));
    // Four characters or fewer once the backslash is appended: nothing.
    const char* shortPaths[] = {"", "C:", "C:\\", "abc", "ab\\"};
    for (const char* path : shortPaths) {
        SCOPED_TRACE(path);
        EXPECT_FALSE(pc.MakeFolderTree(path));
    }
    EXPECT_FALSE(pc.Exists((dir / "abc").c_str()));
    EXPECT_FALSE(pc.Exists((dir / "ab").c_str()));
    // "abcd" + backslash is five characters: created in the current folder.
    EXPECT_TRUE(pc.MakeFolderTree("abcd"));
    EXPECT_TRUE(pc.Exists((dir / "abcd").c_str()));
    SetCurrentDirectoryA(saved);

    // 259 characters with the backslash fit; one more would be cut, so the
    // whole path is refused and not even its parents are made.
    std::string base = dir / "long";
    std::string fits = base + "\\" + std::string(258 - base.size() - 1, 'f');
    ASSERT_EQ(fits.size(), 258u);
    EXPECT_TRUE(pc.MakeFolderTree(fits.c_str()));
    EXPECT_TRUE(pc.Exists(fits.c_str()));
    std::string tooLong = dir / "other\\" + std::string(300, 'g');
    EXPECT_FALSE(pc.MakeFolderTree(tooLong.c_str()));
    EXPECT_FALSE(pc.Exists((dir / "other").c_str()));
}

}  // namespace
