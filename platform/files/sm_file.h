#pragma once
// Random-access file over the standard library's file stream (std::FILE).
//
// Opening never truncates: an existing file keeps its bytes, a missing one is
// created empty, both with one system open (a failed lookup of a missing name
// is what costs most when a folder holds thousands of files). Reads and
// writes happen at explicit 32-bit offsets; the position field records the
// offset of the last positioned operation and is moved by the line
// operations. Files of 2 GiB or more are outside the design.
//
// The stream is unbuffered: every operation is positioned, so a stream
// buffer would only add a copy and a read-ahead that the next seek throws
// away. Each read or write is one system call, and the seek before it is
// left out when the stream already stands at its offset (reading after
// reading, or writing after writing), so a file read or written front to
// back costs no seeks at all.
#include <cstdint>
#include <cstdio>

#include "platform/files/line_chunk.h"

class SmFile {
public:
    SmFile();
    explicit SmFile(const char* path);
    virtual ~SmFile();
    SmFile(const SmFile&) = delete;
    SmFile& operator=(const SmFile&) = delete;

    bool Open(const char* path);
    // Opens a file that must not exist yet, as one system open: false when
    // it exists or cannot be made. A new file costs one name lookup this way
    // (Exists and then Open cost two).
    bool Create(const char* path);
    bool IsOpen() const { return open_; }

    uint32_t Size();
    bool AtEnd();
    void Seek(int32_t offset);
    // Returns how many bytes were read; the rest of the buffer is untouched.
    uint32_t ReadAt(int32_t offset, void* buffer, uint32_t count);
    // True when every byte reached the stream without an error.
    bool WriteAt(int32_t offset, const void* buffer, uint32_t count);
    // True when the buffered bytes were flushed and the file closed cleanly,
    // so a caller can tell a complete file from one cut short by a full disk.
    bool Close();

    // CR LF lines. A line is read from a chunk of at most 1023 bytes; the
    // copy into the destination stops at capacity - 1 characters and is
    // always NUL-terminated.
    void ReadLine(char* destination, uint32_t capacity);
    void WriteLine(const char* text);

    int32_t Position() const { return position_; }

private:
    enum class StreamUse { None, Reading, Writing };

    bool OpenAs(const char* path, bool createOnly);
    // Puts the stream at offset for the given use (None: for either, as a
    // seek leaves it); false when the seek fails.
    bool StandAt(int32_t offset, StreamUse use);

    bool open_ = false;
    int32_t position_ = 0;
    std::FILE* file_ = nullptr;
    uint32_t size_ = 0;
    // Where the stream stands, when known (-1 when not), and what it did
    // last: a stream must seek between a read and a write.
    int64_t streamAt_ = -1;
    StreamUse lastUse_ = StreamUse::None;
};
