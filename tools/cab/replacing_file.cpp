#include "replacing_file.h"

#include <cerrno>
#include <cstring>
#include <utility>

#include "interrupt_cleanup.h"

namespace {
// Another run may be writing beside the same output: each run takes the
// first free name.
constexpr int kMaxTemporaryNames = 100;
}

ReplacingFile::ReplacingFile(std::string finalPath) : finalPath_(std::move(finalPath)) {}

ReplacingFile::~ReplacingFile() {
    if (file_ != nullptr) std::fclose(file_);
    if (!committed_ && !tempPath_.empty()) std::remove(tempPath_.c_str());
    ForgetOnInterrupt(interruptSlot_);
}

bool ReplacingFile::Open(std::string& error) {
    for (int i = 0; i < kMaxTemporaryNames; ++i) {
        std::string candidate = finalPath_ + ".tmp" + std::to_string(i);
        // "x": fail rather than take over a file that is already there.
        InterruptsHeld held;
        file_ = std::fopen(candidate.c_str(), "wbx");
        if (file_ != nullptr) {
            tempPath_ = candidate;
            interruptSlot_ = RemoveOnInterrupt(tempPath_, false);
            return true;
        }
        int code = errno;
        if (code != EEXIST) {
            error = "cannot create " + candidate + ": " + std::strerror(code);
            return false;
        }
    }
    error = "cannot create a temporary file beside " + finalPath_ + ": all names are taken";
    return false;
}

bool ReplacingFile::Write(const void* bytes, size_t length, std::string& error) {
    if (length == 0 || std::fwrite(bytes, 1, length, file_) == length) return true;
    return Fail("cannot write ", error);
}

bool ReplacingFile::WriteAtStart(const void* bytes, size_t length, std::string& error) {
    if (std::fseek(file_, 0, SEEK_SET) != 0) return Fail("cannot seek in ", error);
    return Write(bytes, length, error);
}

bool ReplacingFile::Commit(std::string& error) {
    std::FILE* file = file_;
    file_ = nullptr;
    if (std::fclose(file) != 0) return Fail("cannot write ", error);
    if (std::rename(tempPath_.c_str(), finalPath_.c_str()) != 0) {
        int code = errno;
        error = "cannot rename " + tempPath_ + " to " + finalPath_ + ": " + std::strerror(code);
        return false;
    }
    committed_ = true;
    return true;
}

bool ReplacingFile::Fail(const char* action, std::string& error) {
    int code = errno;  // before any allocation can change it
    error = action + tempPath_ + ": " + std::strerror(code);
    return false;
}
