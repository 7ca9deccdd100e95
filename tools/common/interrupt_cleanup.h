#pragma once
// Files and folders that an interrupt (Ctrl-C, SIGTERM, SIGHUP) must not
// leave behind: unfinished outputs, and the folders installers are taken
// apart into. While any is registered, those signals remove every
// registered path and then end the process as the signal would have.
#include <signal.h>

#include <string>

// Registers a path (a folder holds plain files only); returns its slot, or
// -1 when no slot is free or the path is too long: it is then removed only
// by its owner.
int RemoveOnInterrupt(const std::string& path, bool isFolder);
void ForgetOnInterrupt(int slot);

// Holds the interrupts back while it lives, so that a path can be made and
// registered with no moment in between.
class InterruptsHeld {
public:
    InterruptsHeld();
    ~InterruptsHeld();
    InterruptsHeld(const InterruptsHeld&) = delete;
    InterruptsHeld& operator=(const InterruptsHeld&) = delete;

private:
    sigset_t saved_;
};
