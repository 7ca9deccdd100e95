// Verifying archives: a sound archive passes with its counts; each kind of
// damage is reported as the first problem, naming the record. Every case is
// checked twice: read from the archive's file, and streamed out of a payload
// cabinet block by block, as smx verify reads an installer; both must say
// the same.
#include <gtest/gtest.h>

#include "archive_check.h"
#include "archive_stream.h"
#include "support/temp_dir.h"
#include "tool_error.h"
#include "tool_fixtures.h"
#include "tools/cab/cab_writer.h"

namespace {

enum class ReadFrom { File, Payload };

ArchiveCheck CheckImage(const Bytes& image, ReadFrom from) {
    TempDir dir;
    WriteWholeFile(dir / "a.smx", image);
    if (from == ReadFrom::File) return CheckArchive(dir / "a.smx");
    std::string error;
    CabinetSummary summary;
    if (!WriteSingleFileCabinet(dir / "a.smx", "OrvNet.smx", dir / "a.cab", error) ||
        CheckCabinet(dir / "a.cab", summary, error) != CabinetProblem::None) {
        ADD_FAILURE() << error;
        return {};
    }
    CabinetExpansion expansion(dir / "a.cab", summary);
    ArchiveStream stream(expansion, summary.fileSize);
    ArchiveCheck check = CheckArchive(stream);
    EXPECT_TRUE(stream.Finish()) << expansion.Error();
    EXPECT_EQ(expansion.Done(), image.size());
    return check;
}

class ArchiveCheckTest : public ::testing::TestWithParam<ReadFrom> {
protected:
    ArchiveCheck CheckImage(const Bytes& image) const { return ::CheckImage(image, GetParam()); }
};

Bytes WithByte(Bytes image, size_t offset, unsigned char value) {
    image[offset] = value;
    return image;
}

// Root "OrvNet" with one folder and two files: offsets 0, 160, 320, 483.
Bytes Sound() {
    return Cat({Header(0, "OrvNet", 3), Header(1, "Data", 0), Header(2, "Data\\a.tbl", 3, 1), Text("abc"),
                Header(2, "OrvNet.exe", 2), Text("MZ")});
}

TEST_P(ArchiveCheckTest, PassesASoundArchiveWithItsCounts) {
    ArchiveCheck check = CheckImage(Sound());
    EXPECT_TRUE(check.ok) << check.problem;
    EXPECT_EQ(check.summary.rootName, "OrvNet");
    EXPECT_EQ(check.summary.directories, 1u);
    EXPECT_EQ(check.summary.files, 2u);
    EXPECT_EQ(check.summary.contentBytes, 5u);
    EXPECT_EQ(check.summary.length, 4 * 160u + 5);
    ASSERT_EQ(check.summary.flagged.size(), 1u);
    EXPECT_EQ(check.summary.flagged[0].name, "Data\\a.tbl");
    EXPECT_TRUE(check.summary.flagged[0].keepOnUpdate);
    EXPECT_FALSE(check.summary.flagged[0].toSystemFolder);
}

// Records whose headers straddle the payload's 32 KiB blocks, and content
// that spans whole blocks: the stream must find each header where the file
// has it.
TEST_P(ArchiveCheckTest, HeadersAcrossBlockBoundaries) {
    const uint32_t first = 32768 - 2 * 160 - 80;  // the next header starts 80 bytes before the boundary
    Bytes sound = Cat({Header(0, "P", 5), Header(2, "a", first), Bytes(first, 'a'), Header(2, "b", 100000, 0, 1),
                       Bytes(100000, 'b'), Header(2, "c", 0), Header(2, "d", 3), Text("end")});
    ArchiveCheck check = CheckImage(sound);
    EXPECT_TRUE(check.ok) << check.problem;
    EXPECT_EQ(check.summary.files, 4u);
    EXPECT_EQ(check.summary.contentBytes, first + 100003u);
    ASSERT_EQ(check.summary.flagged.size(), 1u);
    EXPECT_EQ(check.summary.flagged[0].name, "b");
    EXPECT_TRUE(check.summary.flagged[0].toSystemFolder);

    const uint32_t afterB = 2 * 160 + first + 160 + 100000;
    Bytes duplicate = sound;
    duplicate[afterB + 6] = 'A';
    check = CheckImage(duplicate);
    EXPECT_EQ(check.problem, "record at offset " + std::to_string(afterB) +
                                 " (A): same name as the record at offset 160 (letter case aside)");
    Bytes cut(sound.begin(), sound.begin() + afterB + 100);
    check = CheckImage(cut);
    EXPECT_EQ(check.problem, "record at offset " + std::to_string(afterB) + " (c): header cut short by the end of the archive");
}

TEST_P(ArchiveCheckTest, FillersAndEmptyFilesPass) {
    EXPECT_TRUE(CheckImage(Cat({Header(0, "P", 2), Header(2, "", 77), Header(2, "empty", 0)})).ok);
    EXPECT_TRUE(CheckImage(Header(0, "P", 1)).ok);
}

struct DamageCase {
    const char* context;
    Bytes image;
    const char* problem;  // part of the reported problem
};

TEST_P(ArchiveCheckTest, NamesTheFirstProblem) {
    const Bytes sound = Sound();
    const DamageCase cases[] = {
        {"content size past the end", Bytes(sound.begin(), sound.end() - 1),
         "record at offset 483 (OrvNet.exe): content of 2 bytes runs past the end of the archive (644 bytes)"},
        {"header cut short", Bytes(sound.begin(), sound.begin() + 320 + 100),
         "record at offset 320 (Data/a.tbl): header cut short"},
        {"root cut short", Bytes(sound.begin(), sound.begin() + 159), "fewer than its 160-byte root header"},
        {"empty file", Bytes(), "0 bytes, fewer than its 160-byte root header"},
        {"name without NUL", [] {
             Bytes b = Cat({Header(0, "P", 2), Header(2, "x", 0)});
             for (size_t i = 160 + 6; i < 160 + 156; ++i) b[i] = 'x';
             return b;
         }(), "name field has no terminating NUL"},
        {"garbage after the NUL", WithByte(sound, 160 + 6 + 10, 'z'),
         "record at offset 160 (Data): name field has nonzero bytes after its terminating NUL"},
        {"root name garbage after the NUL", WithByte(sound, 6 + 100, 1), "root record: name field has nonzero"},
        {"child before parent",
         Cat({Header(0, "P", 2), Header(2, "Data\\a.tbl", 0), Header(1, "Data", 0)}),
         "record at offset 160 (Data/a.tbl): its folder Data has no earlier directory record"},
        {"parent is a file", Cat({Header(0, "P", 3), Header(2, "Data", 0), Header(2, "Data\\a", 0)}),
         "its folder Data has no earlier directory record"},
        {"root size one short", WithByte(sound, 156, 2), "root record: size is 2, but the archive has 2 file records"},
        {"root size counting folders", WithByte(sound, 156, 4), "root record: size is 4"},
        {"root not first", WithByte(sound, 0, 1), "root record: kind is 1, not 0"},
        {"root with flags", WithByte(sound, 5, 1), "root record: carries file flags"},
        {"root name with a folder", Cat({Header(0, "a\\b", 1)}), "root record: name holds the character '\\'"},
        {"unknown kind", WithByte(sound, 483, 7), "record at offset 483 (OrvNet.exe): kind is 7"},
        {"directory with size", WithByte(sound, 160 + 156, 9), "record at offset 160 (Data): directory record has size 9"},
        {"directory with flags", WithByte(sound, 160 + 5, 1), "directory record carries file flags"},
        {"escaping name", Cat({Header(0, "P", 2), Header(2, "..\\evil", 0)}), "name has a '..' component"},
        {"duplicate in other case",
         Cat({Header(0, "P", 3), Header(2, "A\xD1O", 0), Header(2, "a\xF1o", 0)}),
         "record at offset 320 (año): same name as the record at offset 160"},
        {"too many files for the progress bar", Cat({Header(0, "P", 65536)}), "root record: size is 65536"},
    };
    for (const DamageCase& c : cases) {
        ArchiveCheck check = CheckImage(c.image);
        EXPECT_FALSE(check.ok) << c.context;
        EXPECT_NE(check.problem.find(c.problem), std::string::npos) << c.context << ": " << check.problem;
    }
}

INSTANTIATE_TEST_SUITE_P(ReadFrom, ArchiveCheckTest, ::testing::Values(ReadFrom::File, ReadFrom::Payload),
                         [](const ::testing::TestParamInfo<ReadFrom>& info) {
                             return info.param == ReadFrom::File ? "File" : "Payload";
                         });

TEST(ArchiveCheck, AMissingArchiveIsAnErrorAndIsNotCreated) {
    TempDir dir;
    EXPECT_THROW(CheckArchive(dir / "missing.smx"), SmxToolError);
    EXPECT_THROW(CheckArchive(dir.path()), SmxToolError);
    EXPECT_FALSE(std::filesystem::exists(dir / "missing.smx"));
}

}  // namespace
