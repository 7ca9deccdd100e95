// The file objects: SmFile (both sides) and SmRawFile (Windows) share one
// shape: opening never truncates, positioned reads and writes, CR LF lines.
// Every case runs on each of them; what only SmRawFile promises follows.
#include <gtest/gtest.h>

#include <cstring>
#include <type_traits>

#include "platform/files/sm_file.h"
#include "support/temp_dir.h"
#ifdef _WIN32
#include "platform/files/sm_raw_file.h"
#endif

namespace {

using Bytes = std::vector<unsigned char>;

template <typename File>
class FileObject : public ::testing::Test {
protected:
    TempDir dir;
};

#ifdef _WIN32
using FileObjects = ::testing::Types<SmFile, SmRawFile>;
#else
using FileObjects = ::testing::Types<SmFile>;
#endif

class FileObjectName {
public:
    template <typename File>
    static std::string GetName(int) {
        return std::is_same<File, SmFile>::value ? "SmFile" : "SmRawFile";
    }
};
TYPED_TEST_SUITE(FileObject, FileObjects, FileObjectName);

TYPED_TEST(FileObject, MissingPathIsCreatedEmpty) {
    std::string path = this->dir / "new.bin";
    TypeParam file(path.c_str());
    EXPECT_TRUE(file.IsOpen());
    EXPECT_EQ(file.Size(), 0u);
    EXPECT_TRUE(file.AtEnd());
    EXPECT_TRUE(file.Close());
    EXPECT_TRUE(ReadWholeFile(path).empty());
}

TYPED_TEST(FileObject, ShortWriteOverLongerFileKeepsItsTail) {
    std::string path = this->dir / "ten.bin";
    WriteWholeFile(path, std::string("0123456789"));
    TypeParam file(path.c_str());
    ASSERT_TRUE(file.IsOpen());
    EXPECT_EQ(file.Size(), 10u);
    EXPECT_TRUE(file.WriteAt(0, "abc", 3));
    EXPECT_TRUE(file.Close());
    EXPECT_EQ(ReadWholeFile(path), Bytes({'a', 'b', 'c', '3', '4', '5', '6', '7', '8', '9'}));
}

TYPED_TEST(FileObject, ReadsAtExplicitOffsetsAndReportsShortReads) {
    std::string path = this->dir / "data.bin";
    WriteWholeFile(path, std::string("abcdefgh"));
    TypeParam file(path.c_str());
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

TYPED_TEST(FileObject, SecondWriteAtZeroOverwritesOnlyItsLength) {
    std::string path = this->dir / "merge.bin";
    TypeParam file(path.c_str());
    file.WriteAt(0, "PACKAGED", 8);
    file.WriteAt(0, "old", 3);
    file.Close();
    EXPECT_EQ(ReadWholeFile(path), Bytes({'o', 'l', 'd', 'K', 'A', 'G', 'E', 'D'}));
}

// Reads and writes one after the other, front to back and back again, each
// checked against the bytes a plain model of the file holds: the object may
// leave a seek out only where the stream already stands at the offset and
// keeps going the same way, never between a read and a write.
TYPED_TEST(FileObject, MixedReadsAndWritesSeeTheBytesWhereTheyWereWritten) {
    enum Kind { Write, Read, Size };
    const struct {
        Kind kind;
        int32_t offset;
        std::string bytes;  // written, or expected back (its length is read)
        uint32_t ask;       // for a read: bytes asked
    } steps[] = {
        {Write, 0, "abcdef", 0},
        {Read, 6, "", 4},      // at the end: nothing there
        {Write, 6, "ghij", 0},  // after a short read
        {Read, 0, "abc", 3},
        {Read, 3, "def", 3},   // on from where the last read ended
        {Write, 6, "XY", 0},    // where reading stands: a write must seek first
        {Read, 8, "ij", 2},    // where writing stands: a read must seek first
        {Write, 10, "k", 0},
        {Write, 11, "lm", 0},   // on from where the last write ended
        {Read, 0, "ab", 2},
        {Size, 0, "", 13},
        {Read, 2, "cdef", 4},  // taking the size moved the stream to the end
        {Write, 2, "C", 0},
        {Read, 0, "abCdefXYijklm", 20},
    };
    std::string path = this->dir / "mixed.bin";
    TypeParam file(path.c_str());
    ASSERT_TRUE(file.IsOpen());
    int step = 0;
    for (const auto& s : steps) {
        ++step;
        if (s.kind == Write) {
            EXPECT_TRUE(file.WriteAt(s.offset, s.bytes.data(), static_cast<uint32_t>(s.bytes.size()))) << step;
        } else if (s.kind == Size) {
            EXPECT_EQ(file.Size(), s.ask) << step;
        } else {
            std::string got(s.ask, '\0');
            got.resize(file.ReadAt(s.offset, &got[0], s.ask));
            EXPECT_EQ(got, s.bytes) << step;
        }
    }
    EXPECT_TRUE(file.Close());
    EXPECT_EQ(ReadWholeFile(path), Bytes({'a', 'b', 'C', 'd', 'e', 'f', 'X', 'Y', 'i', 'j', 'k', 'l', 'm'}));
}

// Unbuffered: a byte written is in the file at once, for any other reader,
// before the object is closed.
TEST(SmFileStream, WrittenBytesReachTheFileBeforeClose) {
    TempDir dir;
    std::string path = dir / "shared.bin";
    SmFile writer(path.c_str());
    ASSERT_TRUE(writer.WriteAt(0, "abc", 3));
    ASSERT_TRUE(writer.WriteAt(3, "def", 3));
    EXPECT_EQ(ReadWholeFile(path), Bytes({'a', 'b', 'c', 'd', 'e', 'f'}));
    SmFile reader(path.c_str());
    char buffer[6] = {};
    EXPECT_EQ(reader.ReadAt(0, buffer, 6), 6u);
    ASSERT_TRUE(writer.WriteAt(6, "g", 1));
    EXPECT_EQ(reader.ReadAt(6, buffer, 1), 1u);
    EXPECT_EQ(buffer[0], 'g');
}

TYPED_TEST(FileObject, OperationsOnAFailedOpenDoNothing) {
    std::string path = this->dir / "no-such-folder/file.bin";
    TypeParam file(path.c_str());
    EXPECT_FALSE(file.IsOpen());
    char buffer[4] = {'x', 'x', 'x', 'x'};
    EXPECT_EQ(file.ReadAt(3, buffer, 4), 0u);
    EXPECT_EQ(file.Position(), 3);
    EXPECT_EQ(buffer[0], 'x');
    EXPECT_FALSE(file.WriteAt(0, "abc", 3));
    EXPECT_FALSE(file.Close());
}

TYPED_TEST(FileObject, ReadLineSplitsAtCrLfAndReturnsAnUnterminatedTail) {
    std::string path = this->dir / "lines.txt";
    WriteWholeFile(path, std::string("ab\r\ncd"));
    TypeParam file(path.c_str());
    char line[32];
    std::memset(line, 0xdd, sizeof line);
    file.ReadLine(line, sizeof line);
    EXPECT_STREQ(line, "ab");
    EXPECT_EQ(file.Position(), 4);
    file.ReadLine(line, sizeof line);
    EXPECT_STREQ(line, "cd");
    EXPECT_EQ(file.Position(), 4);  // no CR follows: the position stays
}

TYPED_TEST(FileObject, ReadLineAtTheEndLeavesTheDestinationUntouched) {
    std::string path = this->dir / "one.txt";
    WriteWholeFile(path, std::string("x\r\n"));
    TypeParam file(path.c_str());
    char line[8];
    file.ReadLine(line, sizeof line);
    ASSERT_STREQ(line, "x");
    std::memset(line, 0xdd, sizeof line);
    file.ReadLine(line, sizeof line);
    EXPECT_EQ(static_cast<unsigned char>(line[0]), 0xdd);
}

TYPED_TEST(FileObject, ReadLineNeverWritesPastTheDestination) {
    std::string path = this->dir / "long.txt";
    WriteWholeFile(path, std::string(2000, 'q') + "\r\n");
    TypeParam file(path.c_str());
    char line[16 + 4];
    std::memset(line, 0xdd, sizeof line);
    file.ReadLine(line, 16);
    EXPECT_EQ(std::strlen(line), 15u);
    EXPECT_EQ(static_cast<unsigned char>(line[16]), 0xdd);
}

TYPED_TEST(FileObject, WriteLineAppendsCrLfAndAdvances) {
    std::string path = this->dir / "out.txt";
    {
        TypeParam file(path.c_str());
        file.WriteLine("z");
        EXPECT_EQ(file.Position(), 3);
        file.WriteLine("yy");
        EXPECT_EQ(file.Position(), 7);
    }
    // Written out by the destructor as well as by Close.
    EXPECT_EQ(ReadWholeFile(path), Bytes({'z', '\r', '\n', 'y', 'y', '\r', '\n'}));
}

// The install walk makes its new files with Create: it must make a missing
// file and never open, let alone truncate, one that is there.
TEST(SmFileCreate, MakesAMissingFileAndLeavesAnExistingOneAlone) {
    TempDir dir;
    std::string fresh = dir / "fresh.bin";
    SmFile made;
    ASSERT_TRUE(made.Create(fresh.c_str()));
    EXPECT_TRUE(made.WriteAt(0, "new", 3));
    EXPECT_TRUE(made.Close());
    EXPECT_EQ(ReadWholeFile(fresh), Bytes({'n', 'e', 'w'}));

    SmFile again;
    EXPECT_FALSE(again.Create(fresh.c_str()));
    EXPECT_FALSE(again.IsOpen());
    EXPECT_FALSE(again.WriteAt(0, "x", 1));
    EXPECT_EQ(ReadWholeFile(fresh), Bytes({'n', 'e', 'w'}));

    std::string inMissingFolder = dir / "no-such-folder/file.bin";
    EXPECT_FALSE(SmFile().Create(inMissingFolder.c_str()));
}

#ifdef _WIN32
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
#endif

}  // namespace
