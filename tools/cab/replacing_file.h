#pragma once
// An output file written under a temporary name beside its final path and
// renamed over it only when complete, so a failed or interrupted run leaves
// neither a partial file nor a damaged older one.
#include <cstdint>
#include <cstdio>
#include <string>

class ReplacingFile {
public:
    explicit ReplacingFile(std::string finalPath);
    // Removes the temporary file unless Commit succeeded.
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    bool Open(std::string& error);
    bool Write(const void* bytes, size_t length, std::string& error);
    // Overwrites the first bytes, for a header completed at the end.
    bool WriteAtStart(const void* bytes, size_t length, std::string& error);
    // Flushes, closes and renames the file to its final path.
    bool Commit(std::string& error);

private:
    // `action` + the temporary path + the system's reason.
    bool Fail(const char* action, std::string& error);

    std::string finalPath_;
    std::string tempPath_;
    std::FILE* file_ = nullptr;
    bool committed_ = false;
    int interruptSlot_ = -1;
};
