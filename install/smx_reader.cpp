#include "smx_reader.h"

#include <cstring>

namespace {
uint32_t ReadHeaderAt(SmFile& archive, uint32_t offset, SmxHeader& header) {
    uint8_t raw[SmxHeaderSize] = {};
    uint32_t got = archive.ReadAt(static_cast<int32_t>(offset), raw, SmxHeaderSize);
    DecodeSmxHeader(raw, header);
    return got;
}
}  // namespace

SmxReader::SmxReader(SmFile& archive) : archive_(archive) {
    length_ = archive_.Size();
    rootComplete_ = ReadHeaderAt(archive_, 0, root_) == SmxHeaderSize;
    done_ = length_ <= SmxHeaderSize;
}

bool SmxStepPast(SmxRecord& record, uint32_t length, uint32_t& next) {
    uint64_t after = uint64_t(record.headerOffset) + SmxHeaderSize;
    if (record.header.name[0] == '\0') {
        record.type = SmxRecordType::Filler;
    } else if (record.header.kind == SmxKindDirectory) {
        record.type = SmxRecordType::Directory;
    } else {
        record.type = SmxRecordType::File;
        record.contentOffset = static_cast<uint32_t>(after);
        after += record.header.size;
        record.contentComplete = after <= length;
    }
    // Offsets are 32-bit: a size that would carry the offset past 4 GiB ends
    // the walk instead of wrapping back to an earlier record.
    if (after >= length) return false;
    next = static_cast<uint32_t>(after);
    return true;
}

bool SmxReader::Next(SmxRecord& record) {
    if (done_) return false;
    record = SmxRecord();
    record.headerOffset = offset_;
    record.headerComplete = ReadHeaderAt(archive_, offset_, record.header) == SmxHeaderSize;
    done_ = !SmxStepPast(record, length_, offset_);
    return true;
}

bool SmxReader::ReadContent(const SmxRecord& record, void* buffer) {
    uint32_t size = record.header.size;
    if (size == 0) return true;
    uint32_t got = archive_.ReadAt(static_cast<int32_t>(record.contentOffset), buffer, size);
    if (got < size) std::memset(static_cast<uint8_t*>(buffer) + got, 0, size - got);
    return got == size && record.contentComplete;
}
