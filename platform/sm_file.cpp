#include "sm_file.h"

#include "fault_seam.h"
#include "file_exists.h"

namespace {
constexpr std::ios::openmode kReadWrite = std::ios::in | std::ios::out | std::ios::binary;
}

SmFile::SmFile() = default;

SmFile::SmFile(const char* path) { Open(path); }

SmFile::~SmFile() {
    Close();
    delete file_;
    file_ = nullptr;
}

bool SmFile::Open(const char* path) {
    if (open_) Close();
    position_ = 0;
    size_ = 0;
    if (FaultFor(SeamCall::OpenFile, path) != SeamFault::None) return false;
    if (file_ == nullptr) file_ = new std::fstream;
    // A read-write stream does not create a missing file: create it first.
    if (!PathExists(path)) {
        std::ofstream create(path, std::ios::out | std::ios::binary);
    }
    file_->open(path, kReadWrite);
    open_ = file_->is_open();
    return open_;
}

uint32_t SmFile::Size() {
    if (!open_) return size_;
    file_->clear();
    file_->seekg(0, std::ios::end);
    std::streamoff end = file_->tellg();
    size_ = end < 0 ? 0 : static_cast<uint32_t>(end);
    return size_;
}

bool SmFile::AtEnd() {
    if (size_ == 0) Size();
    return static_cast<uint32_t>(position_) >= size_;
}

void SmFile::Seek(int32_t offset) {
    if (!open_) return;
    position_ = offset;
    file_->clear();
    file_->seekg(static_cast<uint32_t>(offset));
    file_->seekp(static_cast<uint32_t>(offset));
}

uint32_t SmFile::ReadAt(int32_t offset, void* buffer, uint32_t count) {
    position_ = offset;
    if (!open_ || count == 0) return 0;
    if (FaultFor(SeamCall::ReadFile, nullptr) != SeamFault::None) return 0;
    // A failed earlier read must not make every later read come back empty.
    file_->clear();
    file_->seekg(static_cast<uint32_t>(offset));
    file_->read(static_cast<char*>(buffer), count);
    std::streamsize got = file_->gcount();
    file_->clear();
    return got < 0 ? 0 : static_cast<uint32_t>(got);
}

bool SmFile::WriteAt(int32_t offset, const void* buffer, uint32_t count) {
    position_ = offset;
    if (!open_) return false;
    SeamFault fault = FaultFor(SeamCall::WriteFile, nullptr);
    file_->clear();
    file_->seekp(static_cast<uint32_t>(offset));
    if (fault != SeamFault::None) {
        // As on a disk that fills up midway: part of the bytes arrive.
        if (fault == SeamFault::ShortWrite) file_->write(static_cast<const char*>(buffer), count / 2);
        return false;
    }
    file_->write(static_cast<const char*>(buffer), count);
    return static_cast<bool>(*file_);
}

bool SmFile::Close() {
    if (!open_) return false;
    file_->flush();
    bool ok = static_cast<bool>(*file_) && FaultFor(SeamCall::CloseFile, nullptr) == SeamFault::None;
    file_->close();
    ok = ok && !file_->fail();
    open_ = false;
    position_ = 0;
    delete file_;
    file_ = nullptr;
    return ok;
}

void SmFile::ReadLine(char* destination, uint32_t capacity) {
    Size();
    int32_t start = position_;
    uint32_t advance = ReadLineChunk(*this, start, size_, destination, capacity);
    position_ = start + static_cast<int32_t>(advance);
}

void SmFile::WriteLine(const char* text) {
    if (!open_) return;
    int32_t start = position_;
    position_ = start + static_cast<int32_t>(WriteLineChunk(*this, start, text));
}
