// The bytes of a written cabinet, field by field, as the system's cabinet
// decompressor reads them: header, folder, file entry and block framing;
// reproducible output; checksums that catch damage.
#include "tools/cab/cab_writer.h"

#include <gtest/gtest.h>
#include "common/byte_order.h"

#include <mspack.h>

#include <cstdlib>
#include <cstring>

#include "cab/mspack_extract.h"
#include "cab/test_inputs.h"
#include "support/temp_dir.h"

namespace {

// Fields of the written cabinet; the range check fails the test rather
// than read past the bytes.
uint32_t U16(const Bytes& b, size_t at) { return ReadU16(&b.at(at + 1) - 1); }
uint32_t U32(const Bytes& b, size_t at) { return ReadU32(&b.at(at + 3) - 3); }

// Sets or clears SOURCE_DATE_EPOCH for one test.
class SourceDateEpoch {
public:
    explicit SourceDateEpoch(const char* value) {
        if (value) setenv("SOURCE_DATE_EPOCH", value, 1);
        else unsetenv("SOURCE_DATE_EPOCH");
    }
    ~SourceDateEpoch() { unsetenv("SOURCE_DATE_EPOCH"); }
};

Bytes WriteCabinetOf(const TempDir& dir, const Bytes& input, const std::string& name = "OrvNet.smx") {
    WriteWholeFile(dir / "input", input);
    std::string error;
    EXPECT_TRUE(WriteSingleFileCabinet(dir / "input", name, dir / "out.cab", error)) << error;
    return ReadWholeFile(dir / "out.cab");
}

struct Block {
    size_t dataOffset;
    uint32_t compressed;
    uint32_t uncompressed;
};

// Walks the CFDATA blocks from coffCabStart; they must end at the file's end.
std::vector<Block> Blocks(const Bytes& cab) {
    std::vector<Block> blocks;
    size_t at = U32(cab, 36);
    for (uint32_t i = 0; i < U16(cab, 40); ++i) {
        Block block{at + 8, U16(cab, at + 4), U16(cab, at + 6)};
        blocks.push_back(block);
        at = block.dataOffset + block.compressed;
    }
    EXPECT_EQ(at, cab.size()) << "blocks do not end where the cabinet ends";
    return blocks;
}

TEST(CabWriterLayout, HeaderFolderAndFileEntryHoldTheInstallerValues) {
    TempDir dir;
    SourceDateEpoch unset(nullptr);
    Bytes cab = WriteCabinetOf(dir, TextBytes(70000));

    EXPECT_EQ(std::string(cab.begin(), cab.begin() + 4), "MSCF");
    EXPECT_EQ(U32(cab, 4), 0u);
    EXPECT_EQ(U32(cab, 8), cab.size()) << "cbCabinet";
    EXPECT_EQ(U32(cab, 12), 0u);
    EXPECT_EQ(U32(cab, 16), 44u) << "coffFiles";
    EXPECT_EQ(U32(cab, 20), 0u);
    EXPECT_EQ(cab[24], 3) << "versionMinor";
    EXPECT_EQ(cab[25], 1) << "versionMajor";
    EXPECT_EQ(U16(cab, 26), 1u) << "cFolders";
    EXPECT_EQ(U16(cab, 28), 1u) << "cFiles";
    EXPECT_EQ(U16(cab, 30), 0u) << "flags";
    EXPECT_EQ(U16(cab, 32), 12345u) << "setID";
    EXPECT_EQ(U16(cab, 34), 0u) << "iCabinet";

    EXPECT_EQ(U32(cab, 36), 44u + 16 + 11) << "coffCabStart";
    EXPECT_EQ(U16(cab, 40), 3u) << "cCFData";
    EXPECT_EQ(U16(cab, 42), 1u) << "typeCompress MSZIP";

    EXPECT_EQ(U32(cab, 44), 70000u) << "cbFile";
    EXPECT_EQ(U32(cab, 48), 0u) << "uoffFolderStart";
    EXPECT_EQ(U16(cab, 52), 0u) << "iFolder";
    EXPECT_EQ(U16(cab, 54), 0x21u) << "date 1980-01-01";
    EXPECT_EQ(U16(cab, 56), 0u) << "time 00:00:00";
    EXPECT_EQ(U16(cab, 58), 0x20u) << "attribs";
    EXPECT_EQ(std::string(cab.begin() + 60, cab.begin() + 71), std::string("OrvNet.smx", 11));
}

struct BlocksCase {
    const char* label;
    Bytes (*make)();
};
void PrintTo(const BlocksCase& c, std::ostream* os) { *os << c.label; }

class CabWriterBlocks : public testing::TestWithParam<BlocksCase> {};

TEST_P(CabWriterBlocks, AreMszipFramedAndSplitAt32KiB) {
    TempDir dir;
    Bytes input = GetParam().make();
    Bytes cab = WriteCabinetOf(dir, input);
    std::vector<Block> blocks = Blocks(cab);
    ASSERT_EQ(blocks.size(), (input.size() + 32767) / 32768);
    uint64_t total = 0;
    for (size_t i = 0; i < blocks.size(); ++i) {
        SCOPED_TRACE("block " + std::to_string(i));
        const Block& b = blocks[i];
        if (i + 1 < blocks.size()) {
            EXPECT_EQ(b.uncompressed, 32768u);
        }
        EXPECT_GT(b.uncompressed, 0u);
        EXPECT_LE(b.compressed, 32768u + 12);
        ASSERT_GE(b.compressed, 2u);
        EXPECT_EQ(cab[b.dataOffset], 'C');
        EXPECT_EQ(cab[b.dataOffset + 1], 'K');
        total += b.uncompressed;
    }
    EXPECT_EQ(total, input.size());
}

const BlocksCase kBlocksCases[] = {
    {"Empty", [] { return Bytes(); }},
    {"Text", [] { return TextBytes(100000); }},
    {"Noise", [] { return NoiseBytes(100000); }},  // stored blocks
};
INSTANTIATE_TEST_SUITE_P(Inputs, CabWriterBlocks, testing::ValuesIn(kBlocksCases),
                         [](const testing::TestParamInfo<BlocksCase>& info) { return info.param.label; });

TEST(CabWriterLayout, TwoRunsGiveIdenticalBytes) {
    TempDir one, two;
    Bytes input = MixedBytes(150000);
    EXPECT_EQ(WriteCabinetOf(one, input), WriteCabinetOf(two, input));
}

TEST(CabWriterLayout, FileDateAndTimeComeFromSourceDateEpoch) {
    struct Case {
        const char* epoch;
        int year, month, day, hour, minute, second;
    } cases[] = {
        {nullptr, 1980, 1, 1, 0, 0, 0},
        {"1700000001", 2023, 11, 14, 22, 13, 20},  // 21 s: DOS keeps even seconds
        {"951827696", 2000, 2, 29, 12, 34, 56},
        {"0", 1980, 1, 1, 0, 0, 0},  // before DOS time: its first day
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.epoch ? c.epoch : "unset");
        SourceDateEpoch epoch(c.epoch);
        TempDir dir;
        WriteCabinetOf(dir, Bytes{'a'});
        MspackResult read = ExtractWithMspack(dir / "out.cab", dir / "expanded");
        ASSERT_EQ(read.openError, MSPACK_ERR_OK);
        EXPECT_EQ(read.attributes & 0xFF, 0x20);
        EXPECT_EQ(std::vector<int>({read.year, read.month, read.day, read.hour, read.minute, read.second}),
                  std::vector<int>({c.year, c.month, c.day, c.hour, c.minute, c.second}));
    }
}

TEST(CabWriterLayout, DamagedDataInAnyBlockFailsTheChecksum) {
    TempDir dir;
    Bytes cab = WriteCabinetOf(dir, MixedBytes(3 * 32768 + 500));
    std::vector<Block> blocks = Blocks(cab);
    ASSERT_EQ(blocks.size(), 4u);
    std::vector<size_t> spots;
    for (const Block& b : blocks) spots.push_back(b.dataOffset + b.compressed / 2);
    spots.push_back(blocks.back().dataOffset + blocks.back().compressed - 1);  // the odd tail bytes count too

    for (size_t spot : spots) {
        SCOPED_TRACE("byte " + std::to_string(spot));
        Bytes damaged = cab;
        damaged[spot] ^= 0x10;
        WriteWholeFile(dir / "damaged.cab", damaged);
        MspackResult read = ExtractWithMspack(dir / "damaged.cab", dir / "expanded");
        ASSERT_EQ(read.openError, MSPACK_ERR_OK);
        EXPECT_EQ(read.extractError, MSPACK_ERR_CHECKSUM);
    }
}

}  // namespace
