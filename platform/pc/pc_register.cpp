// PC's component registration: a self-registering library registers or
// unregisters itself through its exported entry point.
#include "platform/pc/pc.h"
#include "platform/pc/self_registration.h"

HRESULT CallRegistrationEntry(const char* path, const char* entryPoint) {
    HMODULE library = LoadLibraryA(path);
    if (library == nullptr) return 0;
    using EntryPoint = HRESULT(WINAPI*)();
    auto call = reinterpret_cast<EntryPoint>(reinterpret_cast<void*>(GetProcAddress(library, entryPoint)));
    HRESULT result = call != nullptr ? call() : 0;
    FreeLibrary(library);
    return result;
}

// What the library does and whether it could be loaded is not reported.
int PC::RegisterComponent(const char* path) {
    CallRegistrationEntry(path, "DllRegisterServer");
    return 1;
}

int PC::UnregisterComponent(const char* path) {
    CallRegistrationEntry(path, "DllUnregisterServer");
    return 1;
}
