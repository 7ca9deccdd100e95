#include "install/remove_if_there.h"

#include "platform/pc/pc.h"
#include "platform/seam/seam_calls.h"

bool RemoveIfThere(const char* path) {
    if (!ThePC->Exists(path)) return true;
    SeamRemoveFile(path);
    return !ThePC->Exists(path);
}
