// PC's component registration: a self-registering library registers or
// unregisters itself through its exported entry point.
#include "platform/pc/pc.h"

namespace {

// Loads the library, calls the entry point when exported, unloads it. What
// the library does and whether it could be loaded is not reported.
int CallEntryPoint(const char* path, const char* entryPoint) {
    HMODULE library = LoadLibraryA(path);
    if (library != nullptr) {
        using EntryPoint = HRESULT(WINAPI*)();
        auto call = reinterpret_cast<EntryPoint>(reinterpret_cast<void*>(GetProcAddress(library, entryPoint)));
        if (call != nullptr) call();
        FreeLibrary(library);
    }
    return 1;
}

}  // namespace

int PC::RegisterComponent(const char* path) { return CallEntryPoint(path, "DllRegisterServer"); }

int PC::UnregisterComponent(const char* path) { return CallEntryPoint(path, "DllUnregisterServer"); }
