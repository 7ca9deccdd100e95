#include "tools/common/interrupt_cleanup.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <csignal>
#include <cstring>

namespace {
// A handler can only use async-signal-safe calls, so the paths sit in fixed
// buffers and folders are listed with the getdents64 system call. smx
// registers at most three paths at once (an installer's folder, the archive
// expanding into it, and smx diff's second installer).
constexpr int kSlots = 4;
struct Slot {
    char path[4096];
    volatile std::sig_atomic_t folder;
    volatile std::sig_atomic_t set;
};
Slot slots[kSlots];
const int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

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

extern "C" void RemoveRegisteredAndDie(int signal) {
    for (Slot& slot : slots) {
        if (!slot.set) continue;
        if (slot.folder) {
            RemoveFolderNow(slot.path);
        } else {
            unlink(slot.path);
        }
    }
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

sigset_t Interrupts() {
    sigset_t set;
    sigemptyset(&set);
    for (int s : kSignals) sigaddset(&set, s);
    return set;
}
}  // namespace

int RemoveOnInterrupt(const std::string& path, bool isFolder) {
    if (path.size() >= sizeof slots[0].path) return -1;
    for (int i = 0; i < kSlots; ++i) {
        if (slots[i].set) continue;
        std::memcpy(slots[i].path, path.c_str(), path.size() + 1);
        slots[i].folder = isFolder;
        slots[i].set = 1;
        for (int s : kSignals) std::signal(s, RemoveRegisteredAndDie);
        return i;
    }
    return -1;
}

void ForgetOnInterrupt(int slot) {
    if (slot < 0) return;
    slots[slot].set = 0;
    for (const Slot& other : slots) {
        if (other.set) return;
    }
    for (int s : kSignals) std::signal(s, SIG_DFL);
}

InterruptsHeld::InterruptsHeld() {
    sigset_t interrupts = Interrupts();
    sigprocmask(SIG_BLOCK, &interrupts, &saved_);
}

InterruptsHeld::~InterruptsHeld() { sigprocmask(SIG_SETMASK, &saved_, nullptr); }
