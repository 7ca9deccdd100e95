// The archive walk over crafted archives: each case is a byte image and the
// records the walk must yield, in order.
#include "install/smx_reader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "support/archive_bytes.h"
#include "support/temp_dir.h"

namespace {

using Bytes = ByteVector;
// One line per record: "F name size content", "D name", "-" for a filler;
// a file whose content runs past the end is marked "!".
std::vector<std::string> Walk(const Bytes& image) {
    TempDir dir;
    std::string path = dir / "a.smx";
    WriteWholeFile(path, image);
    SmFile file(path.c_str());
    SmxReader reader(file);
    std::vector<std::string> seen;
    SmxRecord record;
    while (reader.Next(record)) {
        switch (record.type) {
            case SmxRecordType::Filler: seen.push_back("-"); break;
            case SmxRecordType::Directory: seen.push_back("D " + std::string(record.header.name)); break;
            case SmxRecordType::File: {
                if (record.header.size > (1u << 20)) {  // damaged size: do not allocate it
                    seen.push_back("F " + std::string(record.header.name) + " " +
                                   std::to_string(record.header.size) + (record.contentComplete ? "" : " !"));
                    break;
                }
                std::string content(record.header.size, '\0');
                bool complete = reader.ReadContent(record, content.data());
                seen.push_back("F " + std::string(record.header.name) + " " + std::to_string(record.header.size) +
                               " " + content + (complete ? "" : " !"));
                break;
            }
        }
    }
    return seen;
}

struct WalkCase {
    const char* name;
    const char* context;
    Bytes image;
    std::vector<std::string> expected;
};

class ArchiveWalk : public ::testing::TestWithParam<WalkCase> {};

TEST_P(ArchiveWalk, YieldsTheRecordsInOrder) {
    const WalkCase& c = GetParam();
    EXPECT_EQ(Walk(c.image), c.expected) << c.context;
}

Bytes Truncated(Bytes image, size_t cut) {
    image.resize(image.size() - cut);
    return image;
}

const WalkCase kWalkCases[] = {
    {"RootOnly", "root only: nothing is walked", Header(0, "OrvNet", 1), {}},
    {"RootSizeIgnored", "root's size never moves the offset",
     Cat({Header(0, "OrvNet", 999), Header(2, "a.txt", 2), Text("hi")}),
     {"F a.txt 2 hi"}},
    {"DirectorySizeIgnored", "directory with nonzero size consumes no content",
     Cat({Header(0, "P", 2), Header(1, "Data", 77), Header(2, "Data\\x", 1), Text("x")}),
     {"D Data", "F Data\\x 1 x"}},
    {"FillerSizeIgnored", "filler with nonzero size is 160 bytes only",
     Cat({Header(0, "P", 2), Header(2, "", 500), Header(2, "b", 1), Text("b")}),
     {"-", "F b 1 b"}},
    {"AnyKindButOneIsFile", "kinds 0, 2 and 7 are files",
     Cat({Header(0, "P", 4), Header(0, "k0", 1), Text("0"), Header(2, "k2", 1), Text("2"),
          Header(7, "k7", 1), Text("7")}),
     {"F k0 1 0", "F k2 1 2", "F k7 1 7"}},
    {"EmptyFile", "empty file is a complete 160-byte record",
     Cat({Header(0, "P", 3), Header(2, "empty", 0), Header(2, "next", 1), Text("n")}),
     {"F empty 0 ", "F next 1 n"}},
    {"ExactEnd", "walk ends exactly at the last content byte",
     Cat({Header(0, "P", 2), Header(2, "last", 3), Text("end")}),
     {"F last 3 end"}},
    {"HeaderCutInSize", "a header cut short reads as zeros: a missing size is 0",
     Truncated(Cat({Header(0, "P", 2), Header(2, "cut", 9)}), 4),
     {"F cut 0 "}},
    {"HeaderCutBeforeName", "a header cut before its name is a filler", Cat({Header(0, "P", 1), Bytes(4, 2)}), {"-"}},
    {"ContentPastEnd", "content running past the end is reported, the walk ends",
     Cat({Header(0, "P", 2), Header(2, "big", 10), Text("only")}),
     {std::string("F big 10 only") + std::string(6, '\0') + " !"}},
    {"SizeWrapsPast4GiB", "a size that would wrap past 4 GiB ends the walk",
     Cat({Header(0, "P", 2), Header(2, "huge", 0xFFFFFFF0u), Header(2, "after", 1), Text("a")}),
     {"F huge " + std::to_string(0xFFFFFFF0u) + " !"}},
};

INSTANTIATE_TEST_SUITE_P(Cases, ArchiveWalk, ::testing::ValuesIn(kWalkCases),
                         [](const ::testing::TestParamInfo<WalkCase>& info) { return std::string(info.param.name); });

TEST(ArchiveWalk, RootCarriesNameAndProgressTotal) {
    TempDir dir;
    std::string path = dir / "r.smx";
    WriteWholeFile(path, Cat({Header(0, "OrvNet", 25131), Header(1, "Data", 0)}));
    SmFile file(path.c_str());
    SmxReader reader(file);
    EXPECT_STREQ(reader.Root().name, "OrvNet");
    EXPECT_EQ(reader.Root().size, 25131u);
    EXPECT_EQ(reader.Length(), 320u);
    EXPECT_TRUE(reader.RootComplete());
}

TEST(SmxHeaderCodec, NameWithoutTerminatorIsCutAndFlagged) {
    uint8_t raw[SmxHeaderSize];
    std::memset(raw, 'A', sizeof raw);
    SmxHeader header;
    DecodeSmxHeader(raw, header);
    EXPECT_FALSE(header.nameTerminated);
    EXPECT_EQ(std::strlen(header.name), SmxNameField);

    Bytes dirty = Header(2, "x", 0);
    dirty[SmxNameOffset + 10] = 'z';  // garbage after the NUL
    std::memcpy(raw, dirty.data(), SmxHeaderSize);
    DecodeSmxHeader(raw, header);
    EXPECT_TRUE(header.nameTerminated);
    EXPECT_FALSE(header.nameTailClean);
}

TEST(SmxHeaderCodec, FieldsAreLittleEndianAtFixedOffsets) {
    Bytes raw = Header(0x04030201u, "N", 0x0A0B0C0Du, 1, 1);
    EXPECT_EQ(Bytes(raw.begin(), raw.begin() + 6), Bytes({1, 2, 3, 4, 1, 1}));
    EXPECT_EQ(raw[6], 'N');
    EXPECT_EQ(Bytes(raw.begin() + 156, raw.end()), Bytes({0x0D, 0x0C, 0x0B, 0x0A}));
}

}  // namespace
