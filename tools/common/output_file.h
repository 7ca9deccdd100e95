#pragma once
// An output file that appears whole or not at all: bytes go to a temporary
// file beside the destination, which is renamed over it only by Commit().
// Destruction without Commit(), a failure, or an interrupt (Ctrl-C,
// SIGTERM, SIGHUP) removes the temporary file; an earlier file at the
// destination stays as it was.
#include <cstddef>
#include <cstdio>
#include <string>

class OutputFile {
public:
    explicit OutputFile(std::string destination);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Each is false on failure (a full disk, a folder that cannot be
    // written); the temporary file is then gone and Problem() says why.
    bool Open();
    bool Write(const void* bytes, size_t count);
    // Overwrites the first bytes, for a header completed at the end.
    bool WriteAtStart(const void* bytes, size_t count);
    // Flushes to the disk, closes and renames over the destination.
    bool Commit();

    const std::string& Destination() const { return destination_; }
    const std::string& TemporaryPath() const { return temporary_; }
    // What failed and the system's reason, e.g. "cannot write: No space
    // left on device".
    const std::string& Problem() const { return problem_; }
    // "<destination>: <problem>".
    std::string Error() const { return destination_ + ": " + problem_; }

private:
    bool Fail(const char* what);

    std::string destination_;
    std::string temporary_;
    std::string problem_;
    std::FILE* stream_ = nullptr;
    int interruptSlot_ = -1;
};
