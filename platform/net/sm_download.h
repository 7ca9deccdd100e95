#pragma once
// A download over the system's internet library: one session from
// construction to destruction, one opened address at a time, whose body is
// saved to a file, handed out chunk by chunk or collected in one block.
// Every read takes at most DownloadChunkSize bytes.
#include <windows.h>
#include <wininet.h>

#include <cstddef>
#include <cstdint>

constexpr size_t AddressBufferSize = 255;
constexpr uint32_t DownloadChunkSize = 1024;

// Called after every chunk with the bytes received so far and the count the
// caller expects. The context is the caller's own pointer.
using ProgressFunction = void (*)(uint32_t received, uint32_t expected, void* context);
// Called with every chunk as it arrives (valid only during the call).
using ChunkFunction = void (*)(const char* chunk, uint32_t length, uint32_t received, uint32_t expected,
                               void* context);

class SmDownload {
public:
    // Opens the session (direct, agent "Velmarisco").
    SmDownload();
    // The same, then OpenUrl(address) when there is a session.
    explicit SmDownload(const char* address);
    virtual ~SmDownload();
    SmDownload(const SmDownload&) = delete;
    SmDownload& operator=(const SmDownload&) = delete;

    // Closes the address opened before, then opens this one, always from
    // the server. False without a session, for an empty address, for one of
    // AddressBufferSize characters or more (a cut address names another
    // resource), when the server cannot be reached or answers with an error.
    bool OpenUrl(const char* address);
    // Writes the whole body into a new file at path (an existing file is
    // replaced). The number of bytes written. 0, and no file left at path,
    // without an opened address, with an empty path, and when the transfer
    // breaks off (a failed read or write, a body cut short of the length
    // the server announced).
    uint32_t SaveTo(const char* path);
    // The same, calling progress (may be null) after every chunk and
    // stopping once `expected` bytes have arrived (the last chunk is written
    // whole). True only when they did; otherwise false and no file is left
    // at path.
    bool SaveToWithProgress(const char* path, uint32_t expected, ProgressFunction progress, void* context = nullptr);
    // Hands every chunk to chunk (may be null), stopping once `expected`
    // bytes have arrived. True only when they did.
    bool ReadWithCallback(uint32_t expected, ChunkFunction chunk, void* context = nullptr);
    // Collects the whole body into one block, which *block receives and the
    // caller frees with std::free. Returns its size. 0 and a null block
    // without an opened address, for an empty body, and when the transfer
    // breaks off or memory runs out midway (what was collected is released).
    uint32_t ReadAll(char** block);
    // Closes the opened address, if any.
    void CloseUrl();

    bool HasSession() const { return session_ != nullptr; }
    bool HasAddress() const { return url_ != nullptr; }
    // The address of the last OpenUrl; empty when it was refused.
    const char* Address() const { return address_; }

private:
    HINTERNET session_ = nullptr;
    HINTERNET url_ = nullptr;
    char address_[AddressBufferSize] = {};
};
