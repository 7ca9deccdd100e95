#include "shortcut_target.h"

#include <windows.h>
#include <shlobj.h>

bool ShortcutTarget(const char* link, char* target, size_t capacity) {
    WCHAR wideLink[MAX_PATH];
    if (capacity == 0 || MultiByteToWideChar(CP_ACP, 0, link, -1, wideLink, MAX_PATH) == 0) return false;
    // COM may already be set up on this thread; then it is left as it is.
    HRESULT initialised = CoInitialize(nullptr);
    IShellLinkA* shellLink = nullptr;
    IPersistFile* persistFile = nullptr;
    HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                      reinterpret_cast<void**>(&shellLink));
    if (SUCCEEDED(result)) result = shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persistFile));
    if (SUCCEEDED(result)) result = persistFile->Load(wideLink, STGM_READ);
    target[0] = '\0';
    if (SUCCEEDED(result)) result = shellLink->GetPath(target, static_cast<int>(capacity), nullptr, SLGP_RAWPATH);
    if (persistFile != nullptr) persistFile->Release();
    if (shellLink != nullptr) shellLink->Release();
    if (SUCCEEDED(initialised)) CoUninitialize();
    return result == S_OK && target[0] != '\0';
}
