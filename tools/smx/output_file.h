#pragma once
// An output file that appears whole or not at all: bytes go to a temporary
// file beside the destination, which is renamed over it only by Commit().
// Destruction without Commit(), an error, or an interrupt (Ctrl-C, SIGTERM,
// SIGHUP) removes the temporary file; an earlier file at the destination
// stays as it was.
#include <cstddef>
#include <cstdio>
#include <string>

class OutputFile {
public:
    // Throws SmxToolError naming the destination when the temporary file
    // cannot be created.
    explicit OutputFile(const std::string& destination);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Throws SmxToolError on a failed write (a full disk, for instance).
    void Write(const void* bytes, size_t count);
    void Commit();

    const std::string& TemporaryPath() const { return temporary_; }

private:
    void Fail(const std::string& problem);

    std::string destination_;
    std::string temporary_;
    std::FILE* stream_ = nullptr;
    int interruptSlot_ = -1;
};
