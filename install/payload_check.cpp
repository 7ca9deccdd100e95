#include "payload_check.h"

#include "install/cab_checksum.h"
#include "install/cab_format.h"

namespace {

constexpr uint16_t kFlagsSet = 0x0003;  // a previous or a next cabinet
constexpr uint16_t kCompressionMask = 0x000F;
constexpr uint16_t kCompressionNone = 0;

// offset + size inside limit, without overflow.
bool Fits(uint32_t offset, uint32_t size, uint32_t limit) { return offset <= limit && size <= limit - offset; }

PayloadFault CheckBlocks(const uint8_t* bytes, uint32_t offset, uint16_t compression, PayloadCabinet& cabinet) {
    uint64_t expanded = 0;
    for (uint32_t i = 0; i < cabinet.blockCount; ++i) {
        cabinet.faultyBlock = i + 1;
        if (!Fits(offset, cab::kDataHeaderSize, cabinet.cabinetLength)) return PayloadFault::BadBlock;
        const uint8_t* header = bytes + offset;
        uint32_t dataLength = ReadU16(header + cab::kCompressedSize);
        uint32_t blockLength = ReadU16(header + cab::kUncompressedSize);
        const uint8_t* data = header + cab::kDataHeaderSize;
        if (!Fits(offset + cab::kDataHeaderSize, dataLength, cabinet.cabinetLength)) return PayloadFault::BadBlock;
        if (blockLength == 0 || blockLength > cab::kBlockSize || dataLength > cab::kMaxBlockData) {
            return PayloadFault::BadBlock;
        }
        if (ReadU32(header + cab::kChecksum) != CabDataBlockChecksum(header, data, dataLength)) {
            return PayloadFault::BadChecksum;
        }
        bool framed = compression == kCompressionNone ? dataLength == blockLength
                                                      : dataLength >= 2 && data[0] == 'C' && data[1] == 'K';
        if (!framed) return PayloadFault::BadBlock;
        offset += cab::kDataHeaderSize + dataLength;
        expanded += blockLength;
    }
    cabinet.faultyBlock = 0;
    return expanded == cabinet.fileLength ? PayloadFault::None : PayloadFault::LengthMismatch;
}

}  // namespace

PayloadFault CheckPayloadCabinet(const uint8_t* bytes, uint32_t length, PayloadCabinet& cabinet) {
    cabinet = PayloadCabinet();
    if (length < cab::kHeaderSize || bytes[0] != 'M' || bytes[1] != 'S' || bytes[2] != 'C' || bytes[3] != 'F') {
        return PayloadFault::NotCabinet;
    }
    cabinet.cabinetLength = ReadU32(bytes + cab::kCabinetSize);
    // Bytes beyond the recorded length (a longer file written over) are not
    // part of the cabinet and never read.
    if (cabinet.cabinetLength > length || cabinet.cabinetLength < cab::kHeaderSize) return PayloadFault::NotCabinet;
    uint32_t limit = cabinet.cabinetLength;
    if (bytes[cab::kVersionMajor] != cab::kVersionMajorValue) return PayloadFault::NotSupported;
    uint16_t flags = ReadU16(bytes + cab::kFlags);
    if ((flags & (kFlagsSet | cab::kFlagsReservePresent)) != 0) return PayloadFault::NotSupported;
    if (ReadU16(bytes + cab::kFolderCount) != 1 || ReadU16(bytes + cab::kFileCount) != 1) {
        return PayloadFault::NotSupported;
    }

    if (!Fits(cab::kHeaderSize, cab::kFolderSize, limit)) return PayloadFault::BadEntries;
    const uint8_t* folder = bytes + cab::kHeaderSize;
    uint16_t compression = ReadU16(folder + cab::kCompression) & kCompressionMask;
    if (compression != cab::kCompressionMszip && compression != kCompressionNone) return PayloadFault::NotSupported;
    uint32_t dataOffset = ReadU32(folder + cab::kDataOffset);
    cabinet.blockCount = ReadU16(folder + cab::kDataCount);

    uint32_t filesOffset = ReadU32(bytes + cab::kFilesOffset);
    if (filesOffset < cab::kHeaderSize + cab::kFolderSize || !Fits(filesOffset, cab::kFileEntrySize, limit)) {
        return PayloadFault::BadEntries;
    }
    const uint8_t* file = bytes + filesOffset;
    cabinet.fileLength = ReadU32(file + cab::kFileSize);
    if (ReadU32(file + cab::kFolderStart) != 0 || ReadU16(file + cab::kFolderIndex) != 0) {
        return PayloadFault::BadEntries;
    }
    // The name, with its NUL, lies between the file entry and the data.
    uint32_t name = filesOffset + cab::kFileEntrySize;
    if (dataOffset <= name || dataOffset > limit) return PayloadFault::BadEntries;
    uint32_t nameEnd = name;
    while (nameEnd < dataOffset && bytes[nameEnd] != 0) ++nameEnd;
    if (nameEnd == name || nameEnd == dataOffset || nameEnd - name > cab::kMaxNameLength) {
        return PayloadFault::BadEntries;
    }
    return CheckBlocks(bytes, dataOffset, compression, cabinet);
}
