#include "install/remove_if_there.h"

#include <windows.h>

#include "platform/pc/pc.h"
#include "platform/seam/seam_calls.h"

bool RemoveIfThere(const char* path) {
    if (!ThePC->Exists(path)) return true;
    SeamRemoveFile(path);
    return !ThePC->Exists(path);
}

void RemoveKeepingTheError(const char* path) {
    DWORD error = GetLastError();
    SeamRemoveFile(path);
    SetLastError(error);
}
