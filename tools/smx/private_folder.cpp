#include "private_folder.h"

#include <dirent.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>

#include "tool_error.h"

namespace {
// The folders a signal handler may have to remove. A handler can only use
// async-signal-safe calls, so the paths sit in fixed buffers and the folder
// is listed with the getdents64 system call. smx holds at most two at once
// (smx diff); a folder that finds no free slot, or whose path is too long,
// is only removed by its destructor.
constexpr int kSlots = 2;
char pendingPaths[kSlots][4096];
volatile std::sig_atomic_t pendingSet[kSlots] = {};
const int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

// The folder holds plain files only, all made by this process.
void RemoveFolderNow(const char* path) {
    int fd = open(path, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        alignas(8) char entries[4096];
        long got;
        while ((got = syscall(SYS_getdents64, fd, entries, sizeof entries)) > 0) {
            for (long at = 0; at < got;) {
                const auto* entry = reinterpret_cast<const struct dirent64*>(entries + at);
                const char* name = entry->d_name;
                bool dots = name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
                if (!dots) unlinkat(fd, name, 0);
                at += entry->d_reclen;
            }
        }
        close(fd);
    }
    rmdir(path);
}

extern "C" void RemovePrivateFoldersAndDie(int signal) {
    for (int i = 0; i < kSlots; ++i) {
        if (pendingSet[i]) RemoveFolderNow(pendingPaths[i]);
    }
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

int Track(const std::string& path) {
    if (path.size() >= sizeof pendingPaths[0]) return -1;
    for (int i = 0; i < kSlots; ++i) {
        if (pendingSet[i]) continue;
        std::memcpy(pendingPaths[i], path.c_str(), path.size() + 1);
        pendingSet[i] = 1;
        for (int s : kSignals) std::signal(s, RemovePrivateFoldersAndDie);
        return i;
    }
    return -1;
}

void Untrack(int slot) {
    pendingSet[slot] = 0;
    for (int i = 0; i < kSlots; ++i) {
        if (pendingSet[i]) return;
    }
    for (int s : kSignals) std::signal(s, SIG_DFL);
}
}  // namespace

PrivateFolder::PrivateFolder() {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/smx.XXXXXX";
    // An interrupt between making the folder and tracking it waits until
    // the handler knows the folder.
    sigset_t interrupts, before;
    sigemptyset(&interrupts);
    for (int s : kSignals) sigaddset(&interrupts, s);
    sigprocmask(SIG_BLOCK, &interrupts, &before);
    bool made = mkdtemp(pattern.data()) != nullptr;
    int error = errno;
    if (made) {
        path_ = pattern;
        slot_ = Track(path_);
    }
    sigprocmask(SIG_SETMASK, &before, nullptr);
    if (!made) throw SmxToolError(pattern, std::string("cannot make a temporary folder: ") + std::strerror(error));
}

PrivateFolder::~PrivateFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
    if (slot_ >= 0) Untrack(slot_);
}
