#include "platform/pc/library_search.h"

#include <cstring>

void RestrictLibrarySearch() {
    // Taken at run time: systems before Windows 8 without update KB2533623
    // do not have it.
    typedef BOOL(WINAPI * SetDefaultDllDirectoriesCall)(DWORD);
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    SetDefaultDllDirectoriesCall setDefault = kernel == nullptr ? nullptr
        : reinterpret_cast<SetDefaultDllDirectoriesCall>(
              reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
    if (setDefault != nullptr) setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
    // Takes the current folder out of the search everywhere else.
    SetDllDirectoryA("");
}

HMODULE LoadSystemLibrary(const char* name) {
    char path[MAX_PATH];
    UINT length = GetSystemDirectoryA(path, MAX_PATH);
    size_t nameLength = std::strlen(name);
    if (length == 0 || length + 1 + nameLength >= MAX_PATH) return nullptr;
    path[length] = '\\';
    std::memcpy(path + length + 1, name, nameLength + 1);
    return LoadLibraryA(path);
}
