#include "payload.h"

#include <windows.h>

#include <cstring>
#include <new>

#include "platform/sm_file.h"

bool UnpackPayload(const char* cabinetPath) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(PayloadResourceId), RT_RCDATA);
    if (resource == nullptr) return false;
    DWORD size = SizeofResource(module, resource);
    char* buffer = new (std::nothrow) char[size == 0 ? 1 : size];
    if (buffer == nullptr) return false;
    HGLOBAL loaded = LoadResource(module, resource);
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr) {
        delete[] buffer;
        return false;
    }
    std::memcpy(buffer, bytes, size);

    SmFile* file = new SmFile(cabinetPath);
    bool written = file->IsOpen() && file->WriteAt(0, buffer, size);
    written = file->Close() && written;
    delete file;

    FreeResource(loaded);
    delete[] buffer;
    return written;
}
