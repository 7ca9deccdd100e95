#include "output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>

#include "tool_error.h"

namespace {
// The one temporary file a signal handler may have to remove. A handler can
// only use async-signal-safe calls, so the path sits in a fixed buffer.
char pendingPath[4096];
volatile std::sig_atomic_t pendingSet = 0;
const int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

extern "C" void RemovePendingAndDie(int signal) {
    if (pendingSet) unlink(pendingPath);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void Track(const std::string& path) {
    // A path too long for the buffer is not tracked: an interrupt then
    // leaves the temporary file, never removes a wrong one.
    if (path.size() >= sizeof pendingPath) return;
    std::memcpy(pendingPath, path.c_str(), path.size() + 1);
    pendingSet = 1;
    for (int s : kSignals) std::signal(s, RemovePendingAndDie);
}

void Untrack() {
    pendingSet = 0;
    for (int s : kSignals) std::signal(s, SIG_DFL);
}

std::string ErrnoText() { return std::strerror(errno); }
}  // namespace

OutputFile::OutputFile(const std::string& destination) : destination_(destination) {
    std::filesystem::path dest(destination);
    std::string pattern = (dest.parent_path() / ("." + dest.filename().string() + ".XXXXXX")).string();
    std::string buffer = pattern;
    int fd = mkstemp(buffer.data());
    if (fd < 0) throw SmxToolError(destination, "cannot create a file beside it: " + ErrnoText());
    temporary_ = buffer;
    Track(temporary_);
    // mkstemp makes the file private; the result should get the usual mode.
    mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    stream_ = fdopen(fd, "wb");
    if (stream_ == nullptr) {
        close(fd);
        Fail("cannot write: " + ErrnoText());
    }
}

OutputFile::~OutputFile() {
    if (stream_ != nullptr) std::fclose(stream_);
    if (!temporary_.empty()) {
        unlink(temporary_.c_str());
        Untrack();
    }
}

void OutputFile::Fail(const std::string& problem) {
    if (stream_ != nullptr) std::fclose(stream_);
    stream_ = nullptr;
    unlink(temporary_.c_str());
    temporary_.clear();
    Untrack();
    throw SmxToolError(destination_, problem);
}

void OutputFile::Write(const void* bytes, size_t count) {
    if (count != 0 && std::fwrite(bytes, 1, count, stream_) != count) Fail("cannot write: " + ErrnoText());
}

void OutputFile::Commit() {
    if (std::fflush(stream_) != 0 || fsync(fileno(stream_)) != 0) Fail("cannot write: " + ErrnoText());
    std::FILE* stream = stream_;
    stream_ = nullptr;
    if (std::fclose(stream) != 0) Fail("cannot write: " + ErrnoText());
    if (std::rename(temporary_.c_str(), destination_.c_str()) != 0) Fail("cannot replace: " + ErrnoText());
    temporary_.clear();
    Untrack();
}
