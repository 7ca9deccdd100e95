// SmPathList and the folder listings built on it.
#include "platform/files/folder_listing.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace {

std::vector<std::string> Names(SmPathList& list) {
    std::vector<std::string> names;
    for (int i = 1; i <= list.Count(); ++i) names.push_back(list.At(i)->name);
    return names;
}

TEST(SmPathList, IndexedAccessInAnyOrder) {
    SmPathList list;
    EXPECT_EQ(list.At(1), nullptr);
    const char* names[] = {"a", "b", "c", "d"};
    for (const char* name : names) EXPECT_TRUE(list.Append((std::string("C:\\") + name).c_str(), name));
    ASSERT_EQ(list.Count(), 4);
    // Forward, backward, repeated: each walk starts where it can.
    const int order[] = {3, 4, 1, 2, 2, 4, 3, 1};
    for (int index : order) {
        SmPathNode* node = list.At(index);
        ASSERT_NE(node, nullptr);
        EXPECT_EQ(node->index, index);
        EXPECT_STREQ(node->name, names[index - 1]);
        EXPECT_EQ(std::string(node->path), std::string("C:\\") + names[index - 1]);
    }
    EXPECT_EQ(list.At(0), nullptr);
    EXPECT_EQ(list.At(5), nullptr);
    // Appending after a walk back still appends at the end.
    list.At(1);
    list.Append("C:\\e", "e");
    EXPECT_STREQ(list.At(5)->name, "e");
}

TEST(SmPathList, TextsThatDoNotFitAreNotStored) {
    SmPathList list;
    std::string longPath = "C:\\" + std::string(300, 'x');
    EXPECT_FALSE(list.Append(longPath.c_str(), "x"));
    EXPECT_EQ(list.Count(), 0);
    std::string fits(254, 'y');
    EXPECT_TRUE(list.Append(fits.c_str(), "y"));
    EXPECT_EQ(std::string(list.At(1)->path), fits);
}

void MakeFolder(const std::string& path) { ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr)) << path; }

TEST(ListFiles, ListsFilesAndOddFoldersButNotDotNamesOrPlainFolders) {
    TempDir dir;
    WriteWholeFile(dir / "a.txt", std::string("a"));
    WriteWholeFile(dir / "b.bin", std::string("b"));
    WriteWholeFile(dir / ".hidden", std::string("h"));
    MakeFolder(dir / "plain");
    MakeFolder(dir / ".dotfolder");
    // A folder with any further attribute counts as a file.
    MakeFolder(dir / "hidden");
    SetFileAttributesA((dir / "hidden").c_str(), FILE_ATTRIBUTE_HIDDEN);
    ASSERT_EQ(GetFileAttributesA((dir / "hidden").c_str()),
              static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN));

    SmPathList list;
    ListFiles(dir.path().c_str(), list);
    std::vector<std::string> names = Names(list);
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()), (std::set<std::string>{"a.txt", "b.bin", "hidden"}));
    for (int i = 1; i <= list.Count(); ++i) {
        EXPECT_EQ(std::string(list.At(i)->path), dir / list.At(i)->name);
    }
}

TEST(ListFolderTree, StartFolderThenEveryFolderBelowBreadthFirst) {
    TempDir dir;
    MakeFolder(dir / "root");
    MakeFolder(dir / "root/A");
    MakeFolder(dir / "root/B");
    MakeFolder(dir / "root/A/A1");
    MakeFolder(dir / "root/A/A1/deep");
    MakeFolder(dir / "root/B/B1");
    MakeFolder(dir / "root/.skip");
    WriteWholeFile(dir / "root/A/file.txt", std::string("f"));

    SmPathList list;
    ListFolderTree((dir / "root").c_str(), list);
    std::vector<std::string> names = Names(list);
    ASSERT_EQ(names.size(), 6u);
    EXPECT_EQ(names[0], "root");
    EXPECT_EQ(std::set<std::string>(names.begin() + 1, names.begin() + 3), (std::set<std::string>{"A", "B"}));
    EXPECT_EQ(std::set<std::string>(names.begin() + 3, names.begin() + 5), (std::set<std::string>{"A1", "B1"}));
    EXPECT_EQ(names[5], "deep");
    EXPECT_EQ(std::string(list.At(6)->path), dir / "root/A/A1/deep");
}

}  // namespace
