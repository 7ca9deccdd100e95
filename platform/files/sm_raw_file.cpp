#include "platform/files/sm_raw_file.h"

#include "platform/seam/fault_seam.h"
#include "platform/files/line_chunk.h"

namespace {
bool IsValid(HANDLE handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }
}

SmRawFile::SmRawFile() = default;

SmRawFile::SmRawFile(const char* path) { Open(path); }

SmRawFile::~SmRawFile() { Close(); }

bool SmRawFile::Open(const char* path) {
    if (open_) Close();
    position_ = 0;
    size_ = 0;
    if (InjectedFault(SeamCall::OpenFile, path)) return false;
    file_ = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                        nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_ATTRIBUTE_ARCHIVE, nullptr);
    open_ = IsValid(file_);
    if (!open_) file_ = nullptr;
    return open_;
}

uint32_t SmRawFile::Size() {
    if (!open_) return size_;
    SetFilePointer(file_, 0, nullptr, FILE_BEGIN);
    DWORD size = GetFileSize(file_, nullptr);
    size_ = size == INVALID_FILE_SIZE ? 0 : size;
    return size_;
}

bool SmRawFile::AtEnd() {
    if (size_ == 0) Size();
    return static_cast<uint32_t>(position_) >= size_;
}

void SmRawFile::Seek(int32_t offset) {
    if (!open_) return;
    position_ = offset;
    SetFilePointer(file_, offset, nullptr, FILE_BEGIN);
}

uint32_t SmRawFile::ReadAt(int32_t offset, void* buffer, uint32_t count) {
    position_ = offset;
    if (!open_) return 0;
    SetFilePointer(file_, offset, nullptr, FILE_BEGIN);
    DWORD got = 0;
    if (InjectedFault(SeamCall::ReadFile, nullptr)) return 0;
    if (!ReadFile(file_, buffer, count, &got, nullptr)) return 0;
    return got;
}

BOOL SmRawFile::WriteAt(int32_t offset, const void* buffer, uint32_t count) {
    position_ = offset;
    if (!open_) return FALSE;
    SetFilePointer(file_, offset, nullptr, FILE_BEGIN);
    DWORD written = 0;
    SeamFault fault;
    if (InjectedFault(SeamCall::WriteFile, nullptr, &fault)) {
        // A short write reports success with fewer bytes, as the system does.
        if (fault != SeamFault::ShortWrite) return FALSE;
        BOOL ok = WriteFile(file_, buffer, count / 2, &written, nullptr);
        return ok && written == count;
    }
    BOOL ok = WriteFile(file_, buffer, count, &written, nullptr);
    return ok && written == count;
}

BOOL SmRawFile::Close() {
    if (!open_) return FALSE;
    BOOL flushed = FlushFileBuffers(file_) && !InjectedFault(SeamCall::CloseFile, nullptr);
    BOOL closed = CloseHandle(file_);
    open_ = false;
    position_ = 0;
    file_ = nullptr;
    return flushed && closed;
}

void SmRawFile::ReadLine(char* destination, uint32_t capacity) {
    Size();
    int32_t start = position_;
    uint32_t advance = ReadLineChunk(*this, start, size_, destination, capacity);
    position_ = start + static_cast<int32_t>(advance);
}

void SmRawFile::WriteLine(const char* text) {
    if (!open_) return;
    int32_t start = position_;
    position_ = start + static_cast<int32_t>(WriteLineChunk(*this, start, text));
}
