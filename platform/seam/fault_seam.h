#pragma once
// The seam through which the install engine's calls that can fail on a
// real machine pass: opening, reading, writing and closing files, removing
// and moving them, making folders, the shortcut and registry writes. Each
// routed call asks FaultFor first; in the shipped program no hook is set and
// every call goes through. Tests set a hook to make a chosen call fail at a
// chosen moment (disk full, access denied, sharing violation, short write)
// and watch what the run does.
#include <cstdint>

enum class SeamCall { OpenFile, ReadFile, WriteFile, CloseFile, RemoveFile, MoveFile, MakeFolder, Shortcut, Registry };

enum class SeamFault {
    None,
    DiskFull,          // nothing written
    AccessDenied,
    SharingViolation,  // another program holds the file
    ShortWrite,        // half the bytes reach the file, then the write fails
};

// path: the file or folder the call works on; for a registry write, the
// value's name; null for reads and writes of an open file object.
using FaultHook = SeamFault (*)(SeamCall call, const char* path);

// Null in the shipped program.
extern FaultHook TheFaultHook;

SeamFault FaultFor(SeamCall call, const char* path);

// The system error code that a fault stands for.
uint32_t FaultErrorCode(SeamFault fault);

// True when the hook makes this call fail (the fault in `fault` when given);
// on Windows the fault is then also the thread's last error, as the system's
// own failure would be.
bool InjectedFault(SeamCall call, const char* path, SeamFault* fault = nullptr);
