// PC::Decompress: expands a single-file MSZIP cabinet through the system's
// setup library, loaded only for the call. A library or entry point that
// cannot be had is reported by its error code, never as success.
#include "platform/pc/pc.h"

#include "platform/pc/library_search.h"

namespace {
const char kSetupLibrary[] = "SetupApi.dll";
const char kDecompressEntryPoint[] = "SetupDecompressOrCopyFileA";
const UINT kMsZipCompression = 2;  // FILE_COMPRESSION_MSZIP

DWORD LastErrorOr(DWORD fallback) {
    DWORD error = GetLastError();
    return error != ERROR_SUCCESS ? error : fallback;
}
}

DWORD PC::Decompress(const char* source, const char* target) {
    HMODULE library = LoadSystemLibrary(kSetupLibrary);
    if (library == nullptr) return LastErrorOr(ERROR_MOD_NOT_FOUND);
    using DecompressCall = DWORD(WINAPI*)(PCSTR, PCSTR, PUINT);
    auto decompress = reinterpret_cast<DecompressCall>(
        reinterpret_cast<void*>(GetProcAddress(library, kDecompressEntryPoint)));
    DWORD result = LastErrorOr(ERROR_PROC_NOT_FOUND);
    if (decompress != nullptr) {
        // The decompressor writes over an existing target without cutting it
        // (Wine's does), which would leave the old file's tail behind.
        DeleteFileA(target);
        UINT compression = kMsZipCompression;
        result = decompress(source, target, &compression);
    }
    FreeLibrary(library);
    return result;
}
