#include "platform/net/sm_download.h"

#include <cstring>

#include "platform/net/block_memory.h"
#include "platform/net/body_reader.h"
#include "common/file_exists.h"
#include "platform/net/internet_open.h"
#include "platform/files/sm_raw_file.h"

namespace {

// Writes the body of url into a new file at path: a file already there is
// removed first, since writing over it would keep its tail. `after` sees
// the received count once each chunk is written. `written` ends as the
// bytes that reached the file, 0 when the file could not be made or closed.
template <class After>
BodyRead SaveBody(HINTERNET url, const char* path, uint32_t limit, uint32_t& written, After after) {
    written = 0;
    DeleteFileA(path);
    if (PathExists(path)) return {0, BodyEnd::Refused};
    SmRawFile file(path);
    if (!file.IsOpen()) return {0, BodyEnd::Refused};
    char buffer[DownloadChunkSize];
    auto write = [&](const char* chunk, uint32_t count, uint32_t received) {
        if (!file.WriteAt(static_cast<int32_t>(written), chunk, count)) return false;
        written = received;
        after(received);
        return true;
    };
    BodyRead read = ReadBody(url, buffer, sizeof buffer, limit, write);
    if (!file.Close()) written = 0;
    return read;
}

bool Usable(const char* path) { return path != nullptr && path[0] != '\0'; }

}  // namespace

SmDownload::SmDownload() : session_(OpenInternetSession()) {}

SmDownload::SmDownload(const char* address) : SmDownload() {
    if (session_ != nullptr) OpenUrl(address);
}

SmDownload::~SmDownload() {
    CloseUrl();
    if (session_ != nullptr) InternetCloseHandle(session_);
}

bool SmDownload::OpenUrl(const char* address) {
    if (session_ == nullptr) return false;
    CloseUrl();
    address_[0] = '\0';
    if (!Usable(address) || std::strlen(address) >= sizeof address_) return false;
    std::strcpy(address_, address);
    url_ = OpenAddress(session_, address_);
    return url_ != nullptr;
}

uint32_t SmDownload::SaveTo(const char* path) {
    if (url_ == nullptr || !Usable(path)) return 0;
    uint32_t written = 0;
    BodyRead read = SaveBody(url_, path, NoLimit, written, [](uint32_t) {});
    if (read.end == BodyEnd::Ended && written == read.received) return written;
    DeleteFileA(path);
    return 0;
}

bool SmDownload::SaveToWithProgress(const char* path, uint32_t expected, ProgressFunction progress, void* context) {
    if (url_ == nullptr || !Usable(path)) return false;
    uint32_t written = 0;
    BodyRead read = SaveBody(url_, path, expected, written, [&](uint32_t received) {
        if (progress != nullptr) progress(received, expected, context);
    });
    bool complete = read.end == BodyEnd::LimitReached && written == read.received;
    if (!complete) DeleteFileA(path);
    return complete;
}

bool SmDownload::ReadWithCallback(uint32_t expected, ChunkFunction chunk, void* context) {
    if (url_ == nullptr) return false;
    char buffer[DownloadChunkSize];
    auto handOver = [&](const char* bytes, uint32_t count, uint32_t received) {
        if (chunk != nullptr) chunk(bytes, count, received, expected, context);
        return true;
    };
    BodyRead read = ReadBody(url_, buffer, sizeof buffer, expected, handOver);
    return read.end == BodyEnd::LimitReached;
}

uint32_t SmDownload::ReadAll(char** block) {
    if (block == nullptr) return 0;
    *block = nullptr;
    if (url_ == nullptr) return 0;
    char buffer[DownloadChunkSize];
    char* collected = nullptr;
    auto append = [&](const char* chunk, uint32_t count, uint32_t received) {
        // On failure the old block stays valid and is released below.
        void* grown = TheBlockResize(collected, received);
        if (grown == nullptr) return false;
        collected = static_cast<char*>(grown);
        std::memcpy(collected + (received - count), chunk, count);
        return true;
    };
    BodyRead read = ReadBody(url_, buffer, sizeof buffer, NoLimit, append);
    if (read.end != BodyEnd::Ended) {
        TheBlockRelease(collected);
        return 0;
    }
    *block = collected;
    return read.received;
}

void SmDownload::CloseUrl() {
    if (url_ == nullptr) return;
    InternetCloseHandle(url_);
    url_ = nullptr;
}
