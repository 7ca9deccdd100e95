#include "platform/seam/seam_calls.h"

#include <cstring>

#include "platform/seam/fault_seam.h"
#include "platform/pc/pc.h"

bool SeamRemoveFile(const char* path) { return !InjectedFault(SeamCall::RemoveFile, path) && ThePC->RemoveFile(path); }

bool SeamReplaceFile(const char* from, const char* to) {
    return !InjectedFault(SeamCall::MoveFile, to) &&
           MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool SeamMakeFolderTree(const char* path) { return !InjectedFault(SeamCall::MakeFolder, path) && ThePC->MakeFolderTree(path); }

HRESULT SeamCreateShortcut(const char* target, const char* link, const char* arguments) {
    if (InjectedFault(SeamCall::Shortcut, link)) return HRESULT_FROM_WIN32(GetLastError());
    return ThePC->CreateShortcut(target, link, arguments);
}

LONG SeamSetRegistryText(HKEY key, const char* valueName, const char* text) {
    if (InjectedFault(SeamCall::Registry, valueName)) return static_cast<LONG>(GetLastError());
    return RegSetValueExA(key, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                          static_cast<DWORD>(std::strlen(text) + 1));
}
