// A self-registering library for the registration tests: each entry point
// appends its name and a newline to the file named by SM_COMPONENT_LOG.
#include <windows.h>

namespace {
HRESULT Log(const char* text) {
    char path[MAX_PATH] = {};
    DWORD length = GetEnvironmentVariableA("SM_COMPONENT_LOG", path, sizeof path);
    if (length == 0 || length >= sizeof path) return E_FAIL;
    HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE) return E_FAIL;
    DWORD written = 0;
    WriteFile(file, text, lstrlenA(text), &written, nullptr);
    WriteFile(file, "\n", 1, &written, nullptr);
    CloseHandle(file);
    return S_OK;
}
}  // namespace

extern "C" __declspec(dllexport) HRESULT WINAPI DllRegisterServer() { return Log("DllRegisterServer"); }
extern "C" __declspec(dllexport) HRESULT WINAPI DllUnregisterServer() { return Log("DllUnregisterServer"); }
