// Cabinets written by WriteSingleFileCabinet expand, through libmspack, to
// exactly the input, across block edges and compressibility.
#include "tools/cab/cab_writer.h"

#include <gtest/gtest.h>

#include <mspack.h>

#include <string>

#include "cab/mspack_extract.h"
#include "cab/test_inputs.h"
#include "support/temp_dir.h"

namespace {

constexpr size_t kNoisePiece = 20000;

// 20,000 bytes of noise `copies` times over: most repeats begin in one
// 32 KiB block and continue in the next, so only matches reaching back into
// the previous block can shrink them.
Bytes RepeatedNoise(int copies) {
    Bytes piece = NoiseBytes(kNoisePiece, 7), out;
    for (int i = 0; i < copies; ++i) out.insert(out.end(), piece.begin(), piece.end());
    return out;
}
Bytes RepeatedNoise() { return RepeatedNoise(5); }

struct RoundTripCase {
    const char* label;
    Bytes (*make)();
};
void PrintTo(const RoundTripCase& c, std::ostream* os) { *os << c.label; }

const RoundTripCase kCases[] = {
    {"Empty", [] { return Bytes(); }},
    {"OneByte", [] { return Bytes{'x'}; }},
    {"ExactlyOneBlockOfText", [] { return TextBytes(32768); }},
    {"OneBlockAndOneByteOfText", [] { return TextBytes(32769); }},
    {"ExactlyOneBlockOfNoise", [] { return NoiseBytes(32768); }},
    {"OneBlockAndOneByteOfNoise", [] { return NoiseBytes(32769); }},
    {"SeveralBlocksOfText", [] { return TextBytes(5 * 32768 + 1234); }},
    {"NoiseOf200KB", [] { return NoiseBytes(200 * 1000); }},
    {"LongRunOfZeros", [] { return Bytes(100 * 1000, 0); }},
    {"Mixed", [] { return MixedBytes(400 * 1000 + 17); }},
    {"RepeatedNoise", RepeatedNoise},
};

class CabWriterRoundTrip : public testing::TestWithParam<RoundTripCase> {};

TEST_P(CabWriterRoundTrip, MspackExpandsTheInputExactly) {
    TempDir dir;
    Bytes input = GetParam().make();
    WriteWholeFile(dir / "OrvNet.smx", input);

    std::vector<std::pair<uint64_t, uint64_t>> calls;
    std::string error;
    ASSERT_TRUE(WriteSingleFileCabinet(dir / "OrvNet.smx", "OrvNet.smx", dir / "OrvNet.cab", error,
                                       [&](uint64_t done, uint64_t total) { calls.emplace_back(done, total); }))
        << error;
    EXPECT_TRUE(error.empty());

    MspackResult read = ExtractWithMspack(dir / "OrvNet.cab", dir / "expanded");
    ASSERT_EQ(read.openError, MSPACK_ERR_OK);
    EXPECT_EQ(read.extractError, MSPACK_ERR_OK);
    EXPECT_EQ(read.fileCount, 1);
    EXPECT_EQ(read.name, "OrvNet.smx");
    EXPECT_EQ(read.length, input.size());
    EXPECT_TRUE(ReadWholeFile(dir / "expanded") == input) << "expanded bytes differ";

    // Progress rises from 0 to the whole input, one step per block.
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.front(), std::make_pair(uint64_t(0), uint64_t(input.size())));
    EXPECT_EQ(calls.back(), std::make_pair(uint64_t(input.size()), uint64_t(input.size())));
    EXPECT_EQ(calls.size(), 1 + (input.size() + 32767) / 32768);
    for (size_t i = 1; i < calls.size(); ++i) EXPECT_GT(calls[i].first, calls[i - 1].first);
}

INSTANTIATE_TEST_SUITE_P(Inputs, CabWriterRoundTrip, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<RoundTripCase>& info) { return info.param.label; });

// Blocks are compressed many at a time on several threads; each must still
// reach back into the block before it, also where one batch of blocks ends
// and the next begins, and the cabinet's bytes must not depend on how many
// threads ran. 2 MB cross several batches at every thread count here.
TEST(CabWriter, SameCabinetWhateverTheThreadCount) {
    struct Case {
        const char* label;
        Bytes input;
    } cases[] = {
        {"RepeatedNoise", RepeatedNoise(100)},
        {"Mixed", MixedBytes(2000 * 1000 + 17)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        TempDir dir;
        WriteWholeFile(dir / "in", c.input);
        Bytes single;
        for (unsigned threads : {1u, 2u, 3u, 7u}) {
            SCOPED_TRACE(std::to_string(threads) + " threads");
            std::string error;
            ASSERT_TRUE(WriteSingleFileCabinet(dir / "in", "in", dir / "out.cab", error, {}, threads)) << error;
            Bytes cabinet = ReadWholeFile(dir / "out.cab");
            if (threads == 1) {
                single = cabinet;
            } else {
                EXPECT_TRUE(cabinet == single) << "the cabinet differs from the one-thread cabinet";
            }
            MspackResult read = ExtractWithMspack(dir / "out.cab", dir / "expanded");
            ASSERT_EQ(read.openError, MSPACK_ERR_OK);
            EXPECT_EQ(read.extractError, MSPACK_ERR_OK);
            EXPECT_TRUE(ReadWholeFile(dir / "expanded") == c.input) << "expanded bytes differ";
            if (c.input.size() == 100 * kNoisePiece) {
                // Only the first copy costs its size; a block that lost
                // the one before it would cost up to another copy.
                EXPECT_LT(cabinet.size(), kNoisePiece + c.input.size() / 100);
            }
        }
    }
}

TEST(CabWriter, ReplacesAnExistingOutput) {
    TempDir dir;
    WriteWholeFile(dir / "out.cab", NoiseBytes(500 * 1000));
    WriteWholeFile(dir / "in", std::string("short"));
    std::string error;
    ASSERT_TRUE(WriteSingleFileCabinet(dir / "in", "in", dir / "out.cab", error)) << error;
    MspackResult read = ExtractWithMspack(dir / "out.cab", dir / "expanded");
    ASSERT_EQ(read.openError, MSPACK_ERR_OK);
    EXPECT_EQ(read.extractError, MSPACK_ERR_OK);
    EXPECT_EQ(ReadWholeFile(dir / "expanded"), Bytes({'s', 'h', 'o', 'r', 't'}));
}

}  // namespace
