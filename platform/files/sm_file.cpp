#include "platform/files/sm_file.h"

#include "platform/seam/fault_seam.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {
// Opens the file for reading and writing, shared for reading and writing as
// the C runtime's own streams are: created when missing and its bytes kept
// when present, or with createOnly, failing when it exists. Null when it
// cannot be opened.
std::FILE* OpenReadWrite(const char* path, bool createOnly) {
#ifdef _WIN32
    DWORD disposition = createOnly ? CREATE_NEW : OPEN_ALWAYS;
    HANDLE handle = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return nullptr;
    int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_BINARY);
    if (descriptor < 0) {
        CloseHandle(handle);
        return nullptr;
    }
    std::FILE* file = _fdopen(descriptor, "r+b");
    if (file == nullptr) _close(descriptor);
#else
    int flags = O_RDWR | O_CREAT | O_CLOEXEC | (createOnly ? O_EXCL : 0);
    int descriptor = open(path, flags, 0666);
    if (descriptor < 0) return nullptr;
    std::FILE* file = fdopen(descriptor, "r+b");
    if (file == nullptr) close(descriptor);
#endif
    if (file != nullptr) std::setvbuf(file, nullptr, _IONBF, 0);
    return file;
}
}  // namespace

SmFile::SmFile() = default;

SmFile::SmFile(const char* path) { Open(path); }

SmFile::~SmFile() { Close(); }

bool SmFile::Open(const char* path) { return OpenAs(path, false); }

bool SmFile::Create(const char* path) { return OpenAs(path, true); }

bool SmFile::OpenAs(const char* path, bool createOnly) {
    if (open_) Close();
    position_ = 0;
    size_ = 0;
    if (InjectedFault(SeamCall::OpenFile, path)) return false;
    file_ = OpenReadWrite(path, createOnly);
    open_ = file_ != nullptr;
    streamAt_ = 0;
    lastUse_ = StreamUse::None;
    return open_;
}

bool SmFile::StandAt(int32_t offset, StreamUse use) {
    std::clearerr(file_);
    int64_t target = static_cast<uint32_t>(offset);
    if (streamAt_ == target && (lastUse_ == use || lastUse_ == StreamUse::None)) {
        lastUse_ = use;
        return true;
    }
    streamAt_ = -1;
    if (std::fseek(file_, static_cast<long>(target), SEEK_SET) != 0) return false;
    streamAt_ = target;
    lastUse_ = use;
    return true;
}

uint32_t SmFile::Size() {
    if (!open_) return size_;
    std::clearerr(file_);
    streamAt_ = -1;
    long end = std::fseek(file_, 0, SEEK_END) == 0 ? std::ftell(file_) : -1;
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
    StandAt(offset, StreamUse::None);
}

uint32_t SmFile::ReadAt(int32_t offset, void* buffer, uint32_t count) {
    position_ = offset;
    if (!open_ || count == 0) return 0;
    if (InjectedFault(SeamCall::ReadFile, nullptr)) return 0;
    // A failed earlier read must not make every later read come back empty.
    if (!StandAt(offset, StreamUse::Reading)) return 0;
    size_t got = std::fread(buffer, 1, count, file_);
    bool whole = got == count;
    std::clearerr(file_);
    // After a short read the stream's place is not trusted: the next
    // operation seeks.
    streamAt_ = whole ? streamAt_ + got : -1;
    return static_cast<uint32_t>(got);
}

bool SmFile::WriteAt(int32_t offset, const void* buffer, uint32_t count) {
    position_ = offset;
    if (!open_) return false;
    SeamFault fault;
    bool injected = InjectedFault(SeamCall::WriteFile, nullptr, &fault);
    if (!StandAt(offset, StreamUse::Writing)) return false;
    if (injected) {
        // As on a disk that fills up midway: part of the bytes arrive.
        if (fault == SeamFault::ShortWrite) std::fwrite(buffer, 1, count / 2, file_);
        streamAt_ = -1;
        return false;
    }
    bool written = std::fwrite(buffer, 1, count, file_) == count && !std::ferror(file_);
    streamAt_ = written ? streamAt_ + count : -1;
    return written;
}

bool SmFile::Close() {
    if (!open_) return false;
    bool ok = std::fflush(file_) == 0 && !InjectedFault(SeamCall::CloseFile, nullptr);
    ok = std::fclose(file_) == 0 && ok;
    open_ = false;
    position_ = 0;
    file_ = nullptr;
    streamAt_ = -1;
    lastUse_ = StreamUse::None;
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
