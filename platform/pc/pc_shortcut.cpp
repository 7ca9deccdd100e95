// PC::CreateShortcut: a shell link file written through COM.
#include "platform/pc/pc.h"

#include <shlobj.h>

#include "platform/pc/shortcut_folder.h"

namespace {
const char kShortcutDescription[] = "Velmarisco";
}

HRESULT PC::CreateShortcut(const char* target, const char* link, const char* arguments) {
    // COM may already be set up on this thread in another mode; then it is
    // used as it is and left alone afterwards.
    HRESULT initialised = CoInitialize(nullptr);

    char workingFolder[PathBufferSize];
    ShortcutWorkingFolder(target, workingFolder, sizeof workingFolder);

    IShellLinkA* shellLink = nullptr;
    IPersistFile* persistFile = nullptr;
    HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                      reinterpret_cast<void**>(&shellLink));
    if (SUCCEEDED(result)) {
        result = shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persistFile));
    }
    if (SUCCEEDED(result)) {
        shellLink->SetPath(target);
        shellLink->SetDescription(kShortcutDescription);
        // A null pointer leaves the arguments unset; an empty text sets them.
        if (arguments != nullptr) shellLink->SetArguments(arguments);
        shellLink->SetWorkingDirectory(workingFolder);

        WCHAR wideLink[MAX_PATH];
        if (MultiByteToWideChar(CP_ACP, 0, link, -1, wideLink, MAX_PATH) == 0) {
            result = HRESULT_FROM_WIN32(GetLastError());
        } else {
            result = persistFile->Save(wideLink, TRUE);
        }
    }

    if (persistFile != nullptr) persistFile->Release();
    if (shellLink != nullptr) shellLink->Release();
    if (SUCCEEDED(initialised)) CoUninitialize();
    return result;
}
