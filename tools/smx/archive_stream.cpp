#include "archive_stream.h"

#include <algorithm>
#include <cstring>

ArchiveStream::ArchiveStream(CabinetExpansion& expansion, uint32_t length,
                             const std::function<void(uint64_t expanded)>& progress)
    : expansion_(expansion), progress_(progress), length_(length) {
    uint8_t raw[SmxHeaderSize] = {};
    rootComplete_ = Read(raw, SmxHeaderSize) == SmxHeaderSize;
    DecodeSmxHeader(raw, root_);
    done_ = length_ <= SmxHeaderSize;
}

bool ArchiveStream::Pull() {
    while (blockPos_ == blockLength_) {
        if (!expansion_.NextBlock(block_, blockLength_)) return false;
        blockPos_ = 0;
        if (progress_) progress_(expansion_.Done());
    }
    return true;
}

void ArchiveStream::SkipTo(uint64_t offset) {
    while (position_ < offset && Pull()) {
        uint32_t step = uint32_t(std::min<uint64_t>(offset - position_, blockLength_ - blockPos_));
        blockPos_ += step;
        position_ += step;
    }
}

// Never past the recorded length, as a read of a file that long would not.
uint32_t ArchiveStream::Read(uint8_t* out, uint32_t count) {
    if (position_ >= length_) return 0;
    count = uint32_t(std::min<uint64_t>(count, length_ - position_));
    uint32_t got = 0;
    while (got < count && Pull()) {
        uint32_t step = std::min(count - got, blockLength_ - blockPos_);
        std::memcpy(out + got, block_ + blockPos_, step);
        blockPos_ += step;
        position_ += step;
        got += step;
    }
    return got;
}

bool ArchiveStream::Next(SmxRecord& record) {
    if (done_) return false;
    record = SmxRecord();
    record.headerOffset = offset_;
    SkipTo(offset_);
    uint8_t raw[SmxHeaderSize] = {};
    record.headerComplete = Read(raw, SmxHeaderSize) == SmxHeaderSize;
    DecodeSmxHeader(raw, record.header);
    done_ = !SmxStepPast(record, length_, offset_);
    return true;
}

bool ArchiveStream::Finish() {
    do {
        position_ += blockLength_ - blockPos_;
        blockPos_ = blockLength_;
    } while (Pull());
    return !expansion_.Failed();
}
