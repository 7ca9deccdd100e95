#pragma once
// Random-access file directly over a Windows file handle: one system call
// per operation, no buffering of its own. Same shape as SmFile. Opened with
// read and write sharing; an existing file keeps its content.
#include <windows.h>

#include <cstdint>

class SmRawFile {
public:
    SmRawFile();
    explicit SmRawFile(const char* path);
    virtual ~SmRawFile();
    SmRawFile(const SmRawFile&) = delete;
    SmRawFile& operator=(const SmRawFile&) = delete;

    bool Open(const char* path);
    bool IsOpen() const { return open_; }

    uint32_t Size();
    bool AtEnd();
    void Seek(int32_t offset);
    // Returns how many bytes were read; the rest of the buffer is untouched.
    uint32_t ReadAt(int32_t offset, void* buffer, uint32_t count);
    // The system's result, true only when every byte was written.
    BOOL WriteAt(int32_t offset, const void* buffer, uint32_t count);
    BOOL Close();

    void ReadLine(char* destination, uint32_t capacity);
    void WriteLine(const char* text);

    int32_t Position() const { return position_; }

private:
    bool open_ = false;
    int32_t position_ = 0;
    HANDLE file_ = nullptr;
    uint32_t size_ = 0;
};
