// The expander smx uses to read an installer's payload: it gives back
// exactly what the writer took in (blocks reaching back into the previous
// one included) and what an independent writer (gcab) packed, and refuses a
// block that does not expand as recorded, leaving no output.
#include "tools/cab/cab_expand.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "cab/test_inputs.h"
#include "support/temp_dir.h"
#include "install/cab_format.h"
#include "tools/cab/cab_writer.h"

namespace fs = std::filesystem;

namespace {

// Checks the cabinet, then expands it into `output`.
bool CheckAndExpand(const std::string& cabinet, const std::string& output, std::string& error) {
    CabinetSummary summary;
    if (CheckCabinet(cabinet, summary, error) != CabinetProblem::None) return false;
    return ExpandSingleFileCabinet(cabinet, summary, output, error);
}

TEST(CabExpand, GivesBackWhatTheWriterTookIn) {
    Bytes repeated = NoiseBytes(20000, 3);
    for (int i = 0; i < 3; ++i) repeated.insert(repeated.end(), repeated.begin(), repeated.begin() + 20000);
    const struct {
        const char* label;
        Bytes input;
    } cases[] = {
        {"empty", {}},
        {"one byte", {'x'}},
        {"exactly one block", TextBytes(32768)},
        {"one block and one byte", NoiseBytes(32769)},
        {"repeats across block edges", repeated},
        {"mixed, many blocks", MixedBytes(300 * 1000 + 17)},
    };
    for (const auto& c : cases) {
        TempDir dir;
        WriteWholeFile(dir / "in", c.input);
        std::string error;
        ASSERT_TRUE(WriteSingleFileCabinet(dir / "in", "OrvNet.smx", dir / "in.cab", error)) << error;
        std::vector<uint64_t> progress;
        CabinetSummary summary;
        ASSERT_EQ(CheckCabinet(dir / "in.cab", summary, error), CabinetProblem::None) << error;
        ASSERT_TRUE(ExpandSingleFileCabinet(dir / "in.cab", summary, dir / "out", error,
                                            [&](uint64_t done, uint64_t) { progress.push_back(done); }))
            << c.label << ": " << error;
        EXPECT_TRUE(ReadWholeFile(dir / "out") == c.input) << c.label;
        EXPECT_EQ(progress.size(), summary.blockCount) << c.label;
        if (!progress.empty()) {
            EXPECT_EQ(progress.back(), c.input.size()) << c.label;
        }
    }
}

TEST(CabExpand, ReadsACabinetFromAnIndependentWriter) {
    TempDir dir;
    Bytes input = MixedBytes(200 * 1000);
    WriteWholeFile(dir / "OrvNet.smx", input);
    std::string command = "cd '" + dir.path() + "' && gcab -c -n -z made.cab OrvNet.smx";
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::string error;
    ASSERT_TRUE(CheckAndExpand(dir / "made.cab", dir / "out", error)) << error;
    EXPECT_TRUE(ReadWholeFile(dir / "out") == input);
}

// A block whose data is damaged but that carries no checksum passes the
// check; expanding it is where the damage shows.
TEST(CabExpand, ABlockThatDoesNotExpandAsRecordedLeavesNoOutput) {
    TempDir dir;
    WriteWholeFile(dir / "in", TextBytes(3 * 32768));
    std::string error;
    ASSERT_TRUE(WriteSingleFileCabinet(dir / "in", "OrvNet.smx", dir / "in.cab", error)) << error;
    Bytes cabinet = ReadWholeFile(dir / "in.cab");
    size_t first = ReadU32(cabinet.data() + cab::kHeaderSize);
    size_t second = first + cab::kDataHeaderSize + ReadU16(cabinet.data() + first + cab::kCompressedSize);
    WriteU32(cabinet.data() + second + cab::kChecksum, 0);
    cabinet[second + cab::kDataHeaderSize + 3] ^= 0xFF;
    WriteWholeFile(dir / "damaged.cab", cabinet);

    EXPECT_FALSE(CheckAndExpand(dir / "damaged.cab", dir / "out", error));
    EXPECT_EQ(error, dir / "damaged.cab" + ": damaged cabinet: data block 2 of 3 does not expand to the 32768 bytes it records");
    for (const auto& entry : fs::directory_iterator(dir.path())) {
        EXPECT_EQ(entry.path().filename().string().rfind("out", 0), std::string::npos) << entry.path();
    }
}

}  // namespace
