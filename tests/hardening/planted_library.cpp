// A library planted beside the installer under the name of one the system
// loads: when it is loaded, it leaves "<its own path>.loaded" beside itself,
// so a test sees that code from the program's folder ran.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        char path[MAX_PATH];
        DWORD length = GetModuleFileNameA(self, path, MAX_PATH - 8);
        if (length > 0 && length < MAX_PATH - 8) {
            lstrcpyA(path + length, ".loaded");
            CloseHandle(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        }
    }
    return TRUE;
}
