// SmFile: opening never truncates, positioned reads and writes, CR LF lines.
#include "platform/files/sm_file.h"

#include <gtest/gtest.h>

#include <cstring>

#include "support/temp_dir.h"

namespace {

using Bytes = std::vector<unsigned char>;

TEST(SmFile, MissingPathIsCreatedEmpty) {
    TempDir dir;
    std::string path = dir / "new.bin";
    SmFile file(path.c_str());
    EXPECT_TRUE(file.IsOpen());
    EXPECT_EQ(file.Size(), 0u);
    EXPECT_TRUE(file.AtEnd());
    EXPECT_TRUE(file.Close());
    EXPECT_TRUE(ReadWholeFile(path).empty());
}

TEST(SmFile, ShortWriteOverLongerFileKeepsItsTail) {
    TempDir dir;
    std::string path = dir / "ten.bin";
    WriteWholeFile(path, std::string("0123456789"));
    SmFile file(path.c_str());
    EXPECT_TRUE(file.WriteAt(0, "abc", 3));
    EXPECT_TRUE(file.Close());
    EXPECT_EQ(ReadWholeFile(path), Bytes({'a', 'b', 'c', '3', '4', '5', '6', '7', '8', '9'}));
}

TEST(SmFile, ReadsAtExplicitOffsetsAndReportsShortReads) {
    TempDir dir;
    std::string path = dir / "data.bin";
    WriteWholeFile(path, std::string("abcdefgh"));
    SmFile file(path.c_str());
    ASSERT_EQ(file.Size(), 8u);

    char buffer[8];
    std::memset(buffer, 0xdd, sizeof buffer);
    EXPECT_EQ(file.ReadAt(5, buffer, 3), 3u);
    EXPECT_EQ(std::string(buffer, 3), "fgh");
    EXPECT_EQ(file.Position(), 5);

    // Past the end: what is there is read, the rest of the buffer untouched,
    // and a later read still works.
    std::memset(buffer, 0xdd, sizeof buffer);
    EXPECT_EQ(file.ReadAt(6, buffer, 4), 2u);
    EXPECT_EQ(std::string(buffer, 2), "gh");
    EXPECT_EQ(static_cast<unsigned char>(buffer[2]), 0xdd);
    EXPECT_EQ(file.ReadAt(0, buffer, 2), 2u);
    EXPECT_EQ(std::string(buffer, 2), "ab");
}

TEST(SmFile, SecondWriteAtZeroOverwritesOnlyItsLength) {
    TempDir dir;
    std::string path = dir / "merge.bin";
    SmFile file(path.c_str());
    file.WriteAt(0, "PACKAGED", 8);
    file.WriteAt(0, "old", 3);
    file.Close();
    EXPECT_EQ(ReadWholeFile(path), Bytes({'o', 'l', 'd', 'K', 'A', 'G', 'E', 'D'}));
}

TEST(SmFile, OperationsOnAFailedOpenDoNothing) {
    TempDir dir;
    std::string path = dir / "no-such-folder/file.bin";
    SmFile file(path.c_str());
    EXPECT_FALSE(file.IsOpen());
    char buffer[4] = {'x', 'x', 'x', 'x'};
    EXPECT_EQ(file.ReadAt(3, buffer, 4), 0u);
    EXPECT_EQ(file.Position(), 3);
    EXPECT_EQ(buffer[0], 'x');
    EXPECT_FALSE(file.WriteAt(0, "abc", 3));
    EXPECT_FALSE(file.Close());
}

TEST(SmFile, ReadLineSplitsAtCrLfAndReturnsAnUnterminatedTail) {
    TempDir dir;
    std::string path = dir / "lines.txt";
    WriteWholeFile(path, std::string("ab\r\ncd"));
    SmFile file(path.c_str());
    char line[32];
    std::memset(line, 0xdd, sizeof line);
    file.ReadLine(line, sizeof line);
    EXPECT_STREQ(line, "ab");
    EXPECT_EQ(file.Position(), 4);
    file.ReadLine(line, sizeof line);
    EXPECT_STREQ(line, "cd");
    EXPECT_EQ(file.Position(), 4);  // no CR follows: the position stays
}

TEST(SmFile, ReadLineAtTheEndLeavesTheDestinationUntouched) {
    TempDir dir;
    std::string path = dir / "one.txt";
    WriteWholeFile(path, std::string("x\r\n"));
    SmFile file(path.c_str());
    char line[8];
    file.ReadLine(line, sizeof line);
    ASSERT_STREQ(line, "x");
    std::memset(line, 0xdd, sizeof line);
    file.ReadLine(line, sizeof line);
    EXPECT_EQ(static_cast<unsigned char>(line[0]), 0xdd);
}

TEST(SmFile, ReadLineNeverWritesPastTheDestination) {
    TempDir dir;
    std::string path = dir / "long.txt";
    WriteWholeFile(path, std::string(2000, 'q') + "\r\n");
    SmFile file(path.c_str());
    char line[16 + 4];
    std::memset(line, 0xdd, sizeof line);
    file.ReadLine(line, 16);
    EXPECT_EQ(std::strlen(line), 15u);
    EXPECT_EQ(static_cast<unsigned char>(line[16]), 0xdd);
}

TEST(SmFile, WriteLineAppendsCrLfAndAdvances) {
    TempDir dir;
    std::string path = dir / "out.txt";
    SmFile file(path.c_str());
    file.WriteLine("z");
    EXPECT_EQ(file.Position(), 3);
    file.WriteLine("yy");
    EXPECT_EQ(file.Position(), 7);
    file.Close();
    EXPECT_EQ(ReadWholeFile(path), Bytes({'z', '\r', '\n', 'y', 'y', '\r', '\n'}));
}

}  // namespace
