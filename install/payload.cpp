#include "payload.h"

#include <windows.h>

#include "platform/sm_file.h"

bool UnpackPayload(const char* cabinetPath) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(PayloadResourceId), RT_RCDATA);
    if (resource == nullptr) return false;
    DWORD size = SizeofResource(module, resource);
    HGLOBAL loaded = LoadResource(module, resource);
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr) return false;

    // Written straight from the loaded resource: a heap copy of the 25 MB
    // cabinet would only double the memory the run needs at this moment.
    SmFile* file = new SmFile(cabinetPath);
    bool written = file->IsOpen() && file->WriteAt(0, bytes, size);
    written = file->Close() && written;
    delete file;

    FreeResource(loaded);
    return written;
}
