// CheckCabinet accepts what the writer makes, and tells damaged cabinets
// from unsupported ones without reading past the bytes it has.
#include "tools/cab/cab_reader.h"

#include <gtest/gtest.h>
#include "common/byte_order.h"

#include <filesystem>
#include <functional>

#include "cab/test_inputs.h"
#include "support/temp_dir.h"
#include "tools/cab/cab_writer.h"

namespace {

using Mutation = std::function<void(Bytes&)>;

// Layout of the cabinet below: name "OrvNet.smx" at 60, first block at 71.
constexpr size_t kFirstBlock = 71;

// Fields of the cabinet under test; the range check fails the test rather
// than write past the bytes.
void SetU16(Bytes& b, size_t at, uint32_t v) { WriteU16(&b.at(at + 1) - 1, uint16_t(v)); }
void SetU32(Bytes& b, size_t at, uint32_t v) { WriteU32(&b.at(at + 3) - 3, v); }

Bytes WrittenCabinet(const TempDir& dir, const Bytes& input) {
    WriteWholeFile(dir / "input", input);
    std::string error;
    EXPECT_TRUE(WriteSingleFileCabinet(dir / "input", "OrvNet.smx", dir / "written.cab", error)) << error;
    return ReadWholeFile(dir / "written.cab");
}

CabinetProblem Check(const TempDir& dir, const Bytes& cab, CabinetSummary& summary, std::string& error) {
    WriteWholeFile(dir / "checked.cab", cab);
    return CheckCabinet(dir / "checked.cab", summary, error);
}

struct DamageCase {
    const char* label;
    Mutation mutate;
    CabinetProblem expected;
};

TEST(CabReader, TellsDamagedFromUnsupported) {
    using P = CabinetProblem;
    const DamageCase cases[] = {
        {"trailing bytes of an older file", [](Bytes& b) { b.resize(b.size() + 300, 0xAA); }, P::None},
        {"block without a stored checksum", [](Bytes& b) { SetU32(b, kFirstBlock, 0); }, P::None},

        {"empty file", [](Bytes& b) { b.clear(); }, P::Damaged},
        {"cut inside the header", [](Bytes& b) { b.resize(20); }, P::Damaged},
        {"cut inside the name", [](Bytes& b) { b.resize(65); }, P::Damaged},
        {"cut inside a block header", [](Bytes& b) { b.resize(kFirstBlock + 4); }, P::Damaged},
        {"cut inside the last block", [](Bytes& b) { b.pop_back(); }, P::Damaged},
        {"not MSCF", [](Bytes& b) { b[0] = 'X'; }, P::Damaged},
        {"cbCabinet past the file", [](Bytes& b) { SetU32(b, 8, uint32_t(b.size() + 1)); }, P::Damaged},
        {"cbCabinet short of the blocks", [](Bytes& b) { SetU32(b, 8, uint32_t(b.size() - 1)); }, P::Damaged},
        {"coffFiles past the end", [](Bytes& b) { SetU32(b, 16, 0xFFFFFFF0); }, P::Damaged},
        {"coffFiles inside the header", [](Bytes& b) { SetU32(b, 16, 8); }, P::Damaged},
        {"coffCabStart past the end", [](Bytes& b) { SetU32(b, 36, 0xFFFFFFFF); }, P::Damaged},
        {"coffCabStart inside the name", [](Bytes& b) { SetU32(b, 36, 64); }, P::Damaged},
        {"more blocks than present", [](Bytes& b) { SetU16(b, 40, 5); }, P::Damaged},
        {"fewer blocks than the file needs", [](Bytes& b) { SetU16(b, 40, 3); }, P::Damaged},
        {"cbFile one too many", [](Bytes& b) { SetU32(b, 44, 3 * 32768 + 501); }, P::Damaged},
        {"file not at the folder's start", [](Bytes& b) { SetU32(b, 48, 1); }, P::Damaged},
        {"empty name", [](Bytes& b) { b[60] = 0; }, P::Damaged},
        {"name without its NUL", [](Bytes& b) { b[70] = 'x'; }, P::Damaged},
        {"cbData past 32 KiB + 12", [](Bytes& b) { SetU16(b, kFirstBlock + 4, 0xFFFF); }, P::Damaged},
        {"cbUncomp zero", [](Bytes& b) { SetU16(b, kFirstBlock + 6, 0); }, P::Damaged},
        {"cbUncomp past 32 KiB", [](Bytes& b) { SetU16(b, kFirstBlock + 6, 32769); }, P::Damaged},
        {"data byte changed", [](Bytes& b) { b[kFirstBlock + 8 + 100] ^= 1; }, P::Damaged},
        {"checksum changed", [](Bytes& b) { b[kFirstBlock] ^= 1; }, P::Damaged},

        {"version 2.0", [](Bytes& b) { b[25] = 2; }, P::NotSupported},
        {"previous cabinet in a set", [](Bytes& b) { SetU16(b, 30, 1); }, P::NotSupported},
        {"reserved areas", [](Bytes& b) { SetU16(b, 30, 4); }, P::NotSupported},
        {"no folder", [](Bytes& b) { SetU16(b, 26, 0); }, P::NotSupported},
        {"two files", [](Bytes& b) { SetU16(b, 28, 2); }, P::NotSupported},
        {"LZX compression", [](Bytes& b) { SetU16(b, 42, 3); }, P::NotSupported},
    };
    TempDir dir;
    const Bytes written = WrittenCabinet(dir, MixedBytes(3 * 32768 + 500));
    for (const DamageCase& c : cases) {
        SCOPED_TRACE(c.label);
        Bytes cab = written;
        c.mutate(cab);
        CabinetSummary summary;
        std::string error;
        EXPECT_EQ(Check(dir, cab, summary, error), c.expected) << error;
        if (c.expected == CabinetProblem::None) {
            EXPECT_EQ(summary.fileName, "OrvNet.smx");
            EXPECT_EQ(summary.fileSize, 3u * 32768 + 500);
            EXPECT_EQ(summary.blockCount, 4u);
        } else {
            EXPECT_EQ(error.rfind(dir / "checked.cab", 0), 0u) << "the message names the file: " << error;
        }
    }
}

TEST(CabReader, ReportsWhatTheWriterRecorded) {
    for (size_t size : {size_t(0), size_t(1), size_t(32768), size_t(200000)}) {
        SCOPED_TRACE(size);
        TempDir dir;
        Bytes cab = WrittenCabinet(dir, NoiseBytes(size));
        CabinetSummary summary;
        std::string error;
        ASSERT_EQ(CheckCabinet(dir / "written.cab", summary, error), CabinetProblem::None) << error;
        EXPECT_EQ(summary.fileName, "OrvNet.smx");
        EXPECT_EQ(summary.fileSize, size);
        EXPECT_EQ(summary.cabinetSize, cab.size());
        EXPECT_EQ(summary.blockCount, (size + 32767) / 32768);
    }
}

// Every cut short of the whole, and every changed byte of the entries and
// the first block header, ends in a verdict; run with sanitizers, this is
// where an out-of-bounds read would show.
TEST(CabReader, SurvivesEveryTruncationAndByteChange) {
    TempDir dir;
    const Bytes written = WrittenCabinet(dir, TextBytes(40000));
    CabinetSummary summary;
    std::string error;
    for (size_t length = 0; length < written.size(); ++length) {
        Bytes cab(written.begin(), written.begin() + length);
        ASSERT_EQ(Check(dir, cab, summary, error), CabinetProblem::Damaged) << "cut to " << length;
    }
    for (size_t at = 0; at < kFirstBlock + 8; ++at) {
        for (uint8_t change : {0x01, 0x80, 0xFF}) {
            Bytes cab = written;
            cab[at] ^= change;
            EXPECT_NE(Check(dir, cab, summary, error), CabinetProblem::Unreadable) << "byte " << at;
        }
    }
}

TEST(CabReader, MissingOrUnreadablePath) {
    TempDir dir;
    std::filesystem::create_directory(dir / "folder");
    for (const std::string& path : {dir / "absent.cab", dir / "folder"}) {
        SCOPED_TRACE(path);
        CabinetSummary summary;
        std::string error;
        EXPECT_EQ(CheckCabinet(path, summary, error), CabinetProblem::Unreadable);
        EXPECT_NE(error.find(path), std::string::npos) << error;
    }
}

}  // namespace
