// SmRawFile: the same shape as SmFile, over a Windows handle with sharing.
#include "platform/files/sm_raw_file.h"

#include <gtest/gtest.h>

#include <cstring>

#include "support/temp_dir.h"

namespace {

using Bytes = std::vector<unsigned char>;

TEST(SmRawFile, OpensWithoutTruncatingAndCreatesMissingFiles) {
    TempDir dir;
    std::string existing = dir / "ten.bin";
    WriteWholeFile(existing, std::string("0123456789"));
    {
        SmRawFile file(existing.c_str());
        ASSERT_TRUE(file.IsOpen());
        EXPECT_EQ(file.Size(), 10u);
        EXPECT_TRUE(file.WriteAt(0, "abc", 3));
        EXPECT_TRUE(file.Close());
    }
    EXPECT_EQ(ReadWholeFile(existing), Bytes({'a', 'b', 'c', '3', '4', '5', '6', '7', '8', '9'}));

    std::string missing = dir / "new.bin";
    SmRawFile created(missing.c_str());
    EXPECT_TRUE(created.IsOpen());
    EXPECT_EQ(created.Size(), 0u);
    EXPECT_TRUE(created.AtEnd());
}

TEST(SmRawFile, OtherReadersAndWritersMayShareTheFile) {
    TempDir dir;
    std::string path = dir / "shared.bin";
    SmRawFile first(path.c_str());
    SmRawFile second(path.c_str());
    EXPECT_TRUE(first.IsOpen());
    EXPECT_TRUE(second.IsOpen());
    first.WriteAt(0, "xy", 2);
    char buffer[2] = {};
    EXPECT_EQ(second.ReadAt(0, buffer, 2), 2u);
    EXPECT_EQ(std::string(buffer, 2), "xy");
}

TEST(SmRawFile, LinesRoundTrip) {
    TempDir dir;
    std::string path = dir / "lines.txt";
    {
        SmRawFile file(path.c_str());
        file.WriteLine("z");
        EXPECT_EQ(file.Position(), 3);
        file.WriteLine("second");
    }
    EXPECT_EQ(ReadWholeFile(path), Bytes({'z', '\r', '\n', 's', 'e', 'c', 'o', 'n', 'd', '\r', '\n'}));

    WriteWholeFile(path, std::string("ab\r\ncd"));
    SmRawFile file(path.c_str());
    char line[16];
    file.ReadLine(line, sizeof line);
    EXPECT_STREQ(line, "ab");
    EXPECT_EQ(file.Position(), 4);
    file.ReadLine(line, sizeof line);
    EXPECT_STREQ(line, "cd");
    EXPECT_EQ(file.Position(), 4);
}

TEST(SmRawFile, FailedOpenMakesEverythingANoOp) {
    TempDir dir;
    std::string path = dir / "missing-folder/x.bin";
    SmRawFile file(path.c_str());
    EXPECT_FALSE(file.IsOpen());
    char buffer[2] = {'q', 'q'};
    EXPECT_EQ(file.ReadAt(5, buffer, 2), 0u);
    EXPECT_EQ(file.Position(), 5);
    EXPECT_EQ(buffer[0], 'q');
    EXPECT_FALSE(file.WriteAt(0, "ab", 2));
    EXPECT_FALSE(file.Close());
}

}  // namespace
