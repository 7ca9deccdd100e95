#include "tools/common/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <utility>

#include "tools/common/interrupt_cleanup.h"

OutputFile::OutputFile(std::string destination) : destination_(std::move(destination)) {}

OutputFile::~OutputFile() {
    if (stream_ != nullptr) std::fclose(stream_);
    if (!temporary_.empty()) {
        unlink(temporary_.c_str());
        ForgetOnInterrupt(interruptSlot_);
    }
}

bool OutputFile::Open() {
    std::filesystem::path dest(destination_);
    // A name of its own beside the destination: another run writing the
    // same output never shares it.
    std::string buffer = (dest.parent_path() / ("." + dest.filename().string() + ".XXXXXX")).string();
    int fd;
    {
        InterruptsHeld held;
        fd = mkstemp(buffer.data());
        if (fd < 0) return Fail("cannot create a file beside it");
        temporary_ = buffer;
        interruptSlot_ = RemoveOnInterrupt(temporary_, false);
    }
    // mkstemp makes the file private; the result should get the usual mode.
    mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    stream_ = fdopen(fd, "wb");
    if (stream_ == nullptr) {
        int code = errno;
        close(fd);
        errno = code;
        return Fail("cannot write");
    }
    return true;
}

bool OutputFile::Fail(const char* what) {
    int code = errno;  // taken before any allocation can change it
    problem_ = std::string(what) + ": " + std::strerror(code);
    if (stream_ != nullptr) std::fclose(stream_);
    stream_ = nullptr;
    if (!temporary_.empty()) {
        unlink(temporary_.c_str());
        temporary_.clear();
        ForgetOnInterrupt(interruptSlot_);
    }
    return false;
}

bool OutputFile::Write(const void* bytes, size_t count) {
    if (stream_ == nullptr) return false;
    if (count != 0 && std::fwrite(bytes, 1, count, stream_) != count) return Fail("cannot write");
    return true;
}

bool OutputFile::WriteAtStart(const void* bytes, size_t count) {
    if (stream_ == nullptr) return false;
    if (std::fseek(stream_, 0, SEEK_SET) != 0) return Fail("cannot seek");
    return Write(bytes, count);
}

bool OutputFile::Commit() {
    if (stream_ == nullptr) return false;
    if (std::fflush(stream_) != 0 || fsync(fileno(stream_)) != 0) return Fail("cannot write");
    std::FILE* stream = stream_;
    stream_ = nullptr;
    if (std::fclose(stream) != 0) return Fail("cannot write");
    if (std::rename(temporary_.c_str(), destination_.c_str()) != 0) return Fail("cannot replace");
    temporary_.clear();
    ForgetOnInterrupt(interruptSlot_);
    return true;
}
