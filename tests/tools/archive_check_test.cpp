// Verifying archives: a sound archive passes with its counts; each kind of
// damage is reported as the first problem, naming the record.
#include <gtest/gtest.h>

#include "archive_check.h"
#include "support/temp_dir.h"
#include "tool_error.h"
#include "tool_fixtures.h"

namespace {

ArchiveCheck CheckImage(const Bytes& image) {
    TempDir dir;
    WriteWholeFile(dir / "a.smx", image);
    return CheckArchive(dir / "a.smx");
}

Bytes WithByte(Bytes image, size_t offset, unsigned char value) {
    image[offset] = value;
    return image;
}

// Root "OrvNet" with one folder and two files: offsets 0, 160, 320, 483.
Bytes Sound() {
    return Cat({Header(0, "OrvNet", 3), Header(1, "Data", 0), Header(2, "Data\\a.tbl", 3, 1), Text("abc"),
                Header(2, "OrvNet.exe", 2), Text("MZ")});
}

TEST(ArchiveCheck, PassesASoundArchiveWithItsCounts) {
    ArchiveCheck check = CheckImage(Sound());
    EXPECT_TRUE(check.ok) << check.problem;
    EXPECT_EQ(check.summary.rootName, "OrvNet");
    EXPECT_EQ(check.summary.directories, 1u);
    EXPECT_EQ(check.summary.files, 2u);
    EXPECT_EQ(check.summary.contentBytes, 5u);
    EXPECT_EQ(check.summary.length, 4 * 160u + 5);
}

TEST(ArchiveCheck, FillersAndEmptyFilesPass) {
    EXPECT_TRUE(CheckImage(Cat({Header(0, "P", 2), Header(2, "", 77), Header(2, "empty", 0)})).ok);
    EXPECT_TRUE(CheckImage(Header(0, "P", 1)).ok);
}

struct DamageCase {
    const char* context;
    Bytes image;
    const char* problem;  // part of the reported problem
};

TEST(ArchiveCheck, NamesTheFirstProblem) {
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

TEST(ArchiveCheck, AMissingArchiveIsAnErrorAndIsNotCreated) {
    TempDir dir;
    EXPECT_THROW(CheckArchive(dir / "missing.smx"), SmxToolError);
    EXPECT_THROW(CheckArchive(dir.path()), SmxToolError);
    EXPECT_FALSE(std::filesystem::exists(dir / "missing.smx"));
}

}  // namespace
