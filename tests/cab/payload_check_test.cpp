// The installer's check of its payload, on cabinets the packer writes: a
// change anywhere in the blocks, their checksums or the recorded lengths is
// found before anything would be written.
#include "install/payload_check.h"

#include <gtest/gtest.h>

#include <functional>

#include "cab/test_inputs.h"
#include "install/cab_format.h"
#include "support/stored_cabinet.h"
#include "support/temp_dir.h"
#include "tools/cab/cab_writer.h"

namespace {

// Four blocks: 3 x 32 KiB and a short last one.
constexpr size_t kInputSize = 3 * 32768 + 5000;

Bytes PackerCabinet() {
    TempDir dir;
    WriteWholeFile(dir / "input", MixedBytes(kInputSize));
    std::string error;
    EXPECT_TRUE(WriteSingleFileCabinet(dir / "input", "OrvNet.smx", dir / "written.cab", error)) << error;
    return ReadWholeFile(dir / "written.cab");
}

// Offset of block `index` (0-based) of a one-folder cabinet.
size_t BlockOffset(const Bytes& b, unsigned index) {
    size_t offset = ReadU32(b.data() + cab::kHeaderSize + cab::kDataOffset);
    for (unsigned i = 0; i < index; ++i) offset += cab::kDataHeaderSize + ReadU16(b.data() + offset + 4);
    return offset;
}

// Changes one byte in the middle of block `index`'s compressed data.
void FlipDataByte(Bytes& b, unsigned index) {
    size_t offset = BlockOffset(b, index);
    b[offset + cab::kDataHeaderSize + ReadU16(b.data() + offset + 4) / 2] ^= 0x5A;
}

PayloadFault Check(const Bytes& b, PayloadCabinet& cabinet) {
    return CheckPayloadCabinet(b.data(), uint32_t(b.size()), cabinet);
}

struct Case {
    const char* label;
    std::function<void(Bytes&)> mutate;
    PayloadFault expected;
    uint32_t faultyBlock;
};

TEST(PayloadCheck, FindsEveryChangeOfThePackersCabinet) {
    using F = PayloadFault;
    const Case cases[] = {
        {"as written", [](Bytes&) {}, F::None, 0},
        {"bytes after the recorded length", [](Bytes& b) { b.resize(b.size() + 300, 0xAA); }, F::None, 0},
        {"a byte of the first block", [](Bytes& b) { FlipDataByte(b, 0); }, F::BadChecksum, 1},
        {"a byte of a middle block", [](Bytes& b) { FlipDataByte(b, 2); }, F::BadChecksum, 3},
        {"a byte of the last block", [](Bytes& b) { FlipDataByte(b, 3); }, F::BadChecksum, 4},
        {"a checksum field", [](Bytes& b) { b[BlockOffset(b, 1)] ^= 1; }, F::BadChecksum, 2},
        {"a checksum field zeroed",
         [](Bytes& b) { std::fill_n(b.begin() + BlockOffset(b, 1), 4, 0); }, F::BadChecksum, 2},
        {"a block's uncompressed size", [](Bytes& b) { b[BlockOffset(b, 3) + 6] ^= 1; }, F::BadChecksum, 4},
        {"cut inside the last block", [](Bytes& b) { b.pop_back(); }, F::NotCabinet, 0},
        {"cut to the header", [](Bytes& b) { b.resize(cab::kHeaderSize - 1); }, F::NotCabinet, 0},
        {"empty", [](Bytes& b) { b.clear(); }, F::NotCabinet, 0},
        {"not MSCF", [](Bytes& b) { b[0] = 'X'; }, F::NotCabinet, 0},
        {"recorded cabinet length shorter",
         [](Bytes& b) { WriteU32(b.data() + cab::kCabinetSize, uint32_t(b.size() - 10)); }, F::BadBlock, 4},
        {"recorded file length",
         [](Bytes& b) {
             size_t file = ReadU32(b.data() + cab::kFilesOffset);
             WriteU32(b.data() + file, kInputSize + 1);
         },
         F::LengthMismatch, 0},
        {"one block fewer counted", [](Bytes& b) { b[cab::kHeaderSize + cab::kDataCount] -= 1; }, F::LengthMismatch, 0},
        {"one block more counted", [](Bytes& b) { b[cab::kHeaderSize + cab::kDataCount] += 1; }, F::BadBlock, 5},
        {"two files", [](Bytes& b) { b[cab::kFileCount] = 2; }, F::NotSupported, 0},
        {"reserved areas", [](Bytes& b) { b[cab::kFlags] |= cab::kFlagsReservePresent; }, F::NotSupported, 0},
        {"part of a set", [](Bytes& b) { b[cab::kFlags] |= 2; }, F::NotSupported, 0},
        {"LZX compression", [](Bytes& b) { b[cab::kHeaderSize + cab::kCompression] = 3; }, F::NotSupported, 0},
        {"files entry past the end",
         [](Bytes& b) { WriteU32(b.data() + cab::kFilesOffset, uint32_t(b.size())); }, F::BadEntries, 0},
        {"name without its NUL",
         [](Bytes& b) {
             size_t name = ReadU32(b.data() + cab::kFilesOffset) + cab::kFileEntrySize;
             while (b[name] != 0) ++name;
             b[name] = 'x';
         },
         F::BadEntries, 0},
    };
    const Bytes written = PackerCabinet();
    for (const Case& c : cases) {
        Bytes cabinet = written;
        c.mutate(cabinet);
        PayloadCabinet info;
        EXPECT_EQ(Check(cabinet, info), c.expected) << c.label;
        EXPECT_EQ(info.faultyBlock, c.faultyBlock) << c.label;
        if (c.expected == F::None) {
            EXPECT_EQ(info.fileLength, kInputSize) << c.label;
            EXPECT_EQ(info.blockCount, 4u) << c.label;
        }
    }
}

TEST(PayloadCheck, TakesAStoredCabinetWithChecksums) {
    for (size_t size : {size_t(0), size_t(1), size_t(32768), size_t(70000)}) {
        Bytes content = TextBytes(size);
        Bytes cabinet = StoredCabinet(content, "OrvNet.smx");
        PayloadCabinet info;
        EXPECT_EQ(Check(cabinet, info), PayloadFault::None) << size;
        EXPECT_EQ(info.fileLength, size);
        if (size > 0) {
            cabinet.back() ^= 1;
            EXPECT_EQ(Check(cabinet, info), PayloadFault::BadChecksum) << size;
        }
    }
}

}  // namespace
