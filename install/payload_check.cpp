#include "payload_check.h"

#include "install/cab_checksum.h"
#include "install/cab_format.h"

namespace {

constexpr uint16_t kFlagsSet = 0x0003;  // a previous or a next cabinet
constexpr uint16_t kCompressionMask = 0x000F;
constexpr uint16_t kCompressionNone = 0;

// offset + size inside limit, without overflow.
bool Fits(uint32_t offset, uint32_t size, uint32_t limit) { return offset <= limit && size <= limit - offset; }

PayloadFault Fail(PayloadCabinet& cabinet, PayloadFault fault, CabinetCheck check) {
    cabinet.failed = check;
    return fault;
}

PayloadFault CheckBlocks(const uint8_t* bytes, uint32_t offset, uint16_t compression, const CabinetRules& rules,
                         PayloadCabinet& cabinet) {
    for (uint32_t i = 0; i < cabinet.blockCount; ++i) {
        cabinet.faultyBlock = i + 1;
        if (!Fits(offset, cab::kDataHeaderSize, cabinet.cabinetLength)) {
            return Fail(cabinet, PayloadFault::BadBlock, CabinetCheck::BlockTruncated);
        }
        const uint8_t* header = bytes + offset;
        uint32_t dataLength = ReadU16(header + cab::kCompressedSize);
        uint32_t blockLength = ReadU16(header + cab::kUncompressedSize);
        const uint8_t* data = header + cab::kDataHeaderSize;
        if (blockLength == 0 || blockLength > cab::kBlockSize || dataLength > cab::kMaxBlockData) {
            return Fail(cabinet, PayloadFault::BadBlock, CabinetCheck::BlockSizes);
        }
        if (!Fits(offset + cab::kDataHeaderSize, dataLength, cabinet.cabinetLength)) {
            return Fail(cabinet, PayloadFault::BadBlock, CabinetCheck::BlockTruncated);
        }
        uint32_t stored = ReadU32(header + cab::kChecksum);
        bool unchecked = stored == 0 && rules.blocksWithoutChecksum;
        if (!unchecked && stored != CabDataBlockChecksum(header, data, dataLength)) {
            return Fail(cabinet, PayloadFault::BadChecksum, CabinetCheck::BlockChecksum);
        }
        bool framed = compression == kCompressionNone ? dataLength == blockLength
                                                      : dataLength >= 2 && data[0] == 'C' && data[1] == 'K';
        if (!framed) return Fail(cabinet, PayloadFault::BadBlock, CabinetCheck::BlockSignature);
        offset += cab::kDataHeaderSize + dataLength;
        cabinet.expandedLength += blockLength;
    }
    cabinet.faultyBlock = 0;
    if (cabinet.expandedLength != cabinet.fileLength) {
        return Fail(cabinet, PayloadFault::LengthMismatch, CabinetCheck::Length);
    }
    return PayloadFault::None;
}

}  // namespace

PayloadFault CheckPayloadCabinet(const uint8_t* bytes, uint32_t length, PayloadCabinet& cabinet,
                                 const CabinetRules& rules) {
    cabinet = PayloadCabinet();
    if (length < cab::kHeaderSize || bytes[0] != 'M' || bytes[1] != 'S' || bytes[2] != 'C' || bytes[3] != 'F') {
        return Fail(cabinet, PayloadFault::NotCabinet, CabinetCheck::Header);
    }
    cabinet.cabinetLength = ReadU32(bytes + cab::kCabinetSize);
    // Bytes beyond the recorded length (a longer file written over) are not
    // part of the cabinet and never read.
    if (cabinet.cabinetLength > length) return Fail(cabinet, PayloadFault::NotCabinet, CabinetCheck::Truncated);
    if (cabinet.cabinetLength < cab::kHeaderSize) return Fail(cabinet, PayloadFault::NotCabinet, CabinetCheck::Header);
    uint32_t limit = cabinet.cabinetLength;
    cabinet.versionMajor = bytes[cab::kVersionMajor];
    cabinet.versionMinor = bytes[cab::kVersionMinor];
    if (cabinet.versionMajor != cab::kVersionMajorValue) {
        return Fail(cabinet, PayloadFault::NotSupported, CabinetCheck::Version);
    }
    uint16_t flags = ReadU16(bytes + cab::kFlags);
    if ((flags & kFlagsSet) != 0) return Fail(cabinet, PayloadFault::NotSupported, CabinetCheck::Set);
    if ((flags & cab::kFlagsReservePresent) != 0) {
        return Fail(cabinet, PayloadFault::NotSupported, CabinetCheck::Reserved);
    }
    cabinet.folderCount = ReadU16(bytes + cab::kFolderCount);
    cabinet.fileCount = ReadU16(bytes + cab::kFileCount);
    if (cabinet.folderCount != 1 || cabinet.fileCount != 1) {
        return Fail(cabinet, PayloadFault::NotSupported, CabinetCheck::Counts);
    }

    if (!Fits(cab::kHeaderSize, cab::kFolderSize, limit)) {
        return Fail(cabinet, PayloadFault::BadEntries, CabinetCheck::FolderEntry);
    }
    const uint8_t* folder = bytes + cab::kHeaderSize;
    uint16_t compression = ReadU16(folder + cab::kCompression) & kCompressionMask;
    if (compression != cab::kCompressionMszip && !(compression == kCompressionNone && rules.storedBlocks)) {
        return Fail(cabinet, PayloadFault::NotSupported, CabinetCheck::Compression);
    }
    cabinet.dataOffset = ReadU32(folder + cab::kDataOffset);
    cabinet.blockCount = ReadU16(folder + cab::kDataCount);

    uint32_t filesOffset = ReadU32(bytes + cab::kFilesOffset);
    if (filesOffset < cab::kHeaderSize + cab::kFolderSize || !Fits(filesOffset, cab::kFileEntrySize, limit)) {
        return Fail(cabinet, PayloadFault::BadEntries, CabinetCheck::FileEntry);
    }
    const uint8_t* file = bytes + filesOffset;
    cabinet.fileLength = ReadU32(file + cab::kFileSize);
    if (ReadU32(file + cab::kFolderStart) != 0 || ReadU16(file + cab::kFolderIndex) != 0) {
        return Fail(cabinet, PayloadFault::BadEntries, CabinetCheck::FileStart);
    }
    // The name, with its NUL, lies between the file entry and the data.
    uint32_t name = filesOffset + cab::kFileEntrySize;
    uint32_t dataOffset = cabinet.dataOffset;
    if (dataOffset <= name || dataOffset > limit) return Fail(cabinet, PayloadFault::BadEntries, CabinetCheck::Name);
    uint32_t nameEnd = name;
    while (nameEnd < dataOffset && bytes[nameEnd] != 0) ++nameEnd;
    if (nameEnd == name || nameEnd == dataOffset || nameEnd - name > cab::kMaxNameLength) {
        return Fail(cabinet, PayloadFault::BadEntries, CabinetCheck::Name);
    }
    cabinet.nameOffset = name;
    cabinet.nameLength = nameEnd - name;
    return CheckBlocks(bytes, dataOffset, compression, rules, cabinet);
}
