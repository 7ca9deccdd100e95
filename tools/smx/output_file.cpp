#include "output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "tools/cab/interrupt_cleanup.h"
#include "tool_error.h"

namespace {
std::string ErrnoText() { return std::strerror(errno); }
}  // namespace

OutputFile::OutputFile(const std::string& destination) : destination_(destination) {
    std::filesystem::path dest(destination);
    std::string pattern = (dest.parent_path() / ("." + dest.filename().string() + ".XXXXXX")).string();
    std::string buffer = pattern;
    int fd;
    {
        InterruptsHeld held;
        fd = mkstemp(buffer.data());
        if (fd < 0) throw SmxToolError(destination, "cannot create a file beside it: " + ErrnoText());
        temporary_ = buffer;
        interruptSlot_ = RemoveOnInterrupt(temporary_, false);
    }
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
        ForgetOnInterrupt(interruptSlot_);
    }
}

void OutputFile::Fail(const std::string& problem) {
    if (stream_ != nullptr) std::fclose(stream_);
    stream_ = nullptr;
    unlink(temporary_.c_str());
    temporary_.clear();
    ForgetOnInterrupt(interruptSlot_);
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
    ForgetOnInterrupt(interruptSlot_);
}
