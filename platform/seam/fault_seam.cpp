#include "platform/seam/fault_seam.h"

#ifdef _WIN32
#include <windows.h>
#endif

FaultHook TheFaultHook = nullptr;

SeamFault FaultFor(SeamCall call, const char* path) {
    return TheFaultHook == nullptr ? SeamFault::None : TheFaultHook(call, path);
}

uint32_t FaultErrorCode(SeamFault fault) {
    // ERROR_DISK_FULL, ERROR_ACCESS_DENIED, ERROR_SHARING_VIOLATION,
    // ERROR_HANDLE_DISK_FULL; spelled out so that the portable build needs
    // no Windows header.
    switch (fault) {
        case SeamFault::DiskFull: return 112;
        case SeamFault::AccessDenied: return 5;
        case SeamFault::SharingViolation: return 32;
        case SeamFault::ShortWrite: return 39;
        case SeamFault::None: break;
    }
    return 0;
}

bool InjectedFault(SeamCall call, const char* path, SeamFault* fault) {
    SeamFault found = FaultFor(call, path);
    if (fault != nullptr) *fault = found;
    if (found == SeamFault::None) return false;
#ifdef _WIN32
    SetLastError(FaultErrorCode(found));
#endif
    return true;
}
