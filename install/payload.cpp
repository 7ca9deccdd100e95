#include "payload.h"

#include <windows.h>

#include "platform/files/sm_file.h"

bool UnpackPayload(const char* cabinetPath, PayloadCabinet& cabinet) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(PayloadResourceId), RT_RCDATA);
    if (resource == nullptr) return false;
    DWORD size = SizeofResource(module, resource);
    HGLOBAL loaded = LoadResource(module, resource);
    const uint8_t* bytes = loaded != nullptr ? static_cast<const uint8_t*>(LockResource(loaded)) : nullptr;
    if (bytes == nullptr) return false;
    bool written = CheckPayloadCabinet(bytes, size, cabinet) == PayloadFault::None;
    if (written) {
        // Written straight from the loaded resource: a heap copy of the 25 MB
        // cabinet would only double the memory the run needs at this moment.
        SmFile* file = new SmFile(cabinetPath);
        written = file->IsOpen() && file->WriteAt(0, bytes, size);
        written = file->Close() && written;
        delete file;
    }
    FreeResource(loaded);
    return written;
}
