#include "platform/seam/seam_calls.h"

#include <cstring>

#include "platform/seam/fault_seam.h"
#include "platform/pc/pc.h"

namespace {
// True when the hook makes this call fail; the last error is then set.
bool Injected(SeamCall call, const char* path) {
    SeamFault fault = FaultFor(call, path);
    if (fault == SeamFault::None) return false;
    SetLastError(FaultErrorCode(fault));
    return true;
}
}  // namespace

bool SeamRemoveFile(const char* path) { return !Injected(SeamCall::RemoveFile, path) && ThePC->RemoveFile(path); }

bool SeamReplaceFile(const char* from, const char* to) {
    return !Injected(SeamCall::MoveFile, to) &&
           MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool SeamMakeFolderTree(const char* path) { return !Injected(SeamCall::MakeFolder, path) && ThePC->MakeFolderTree(path); }

HRESULT SeamCreateShortcut(const char* target, const char* link, const char* arguments) {
    if (Injected(SeamCall::Shortcut, link)) return HRESULT_FROM_WIN32(GetLastError());
    return ThePC->CreateShortcut(target, link, arguments);
}

LONG SeamSetRegistryText(HKEY key, const char* valueName, const char* text) {
    if (Injected(SeamCall::Registry, valueName)) return static_cast<LONG>(GetLastError());
    return RegSetValueExA(key, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                          static_cast<DWORD>(std::strlen(text) + 1));
}
