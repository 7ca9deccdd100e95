// A self-registering component for the tests: DllRegisterServer records
// under HKLM\Software\SmTestComponent that it ran, with the library's file
// name as the value name.
#include <windows.h>

#include <cstring>

extern "C" __declspec(dllexport) HRESULT __stdcall DllRegisterServer() {
    HMODULE self = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&DllRegisterServer), &self);
    char path[MAX_PATH] = {};
    GetModuleFileNameA(self, path, sizeof path);
    const char* name = std::strrchr(path, '\\');
    name = name != nullptr ? name + 1 : path;
    HKEY key = nullptr;
    if (RegCreateKeyA(HKEY_LOCAL_MACHINE, "Software\\SmTestComponent", &key) != ERROR_SUCCESS) return E_FAIL;
    static const char kRan[] = "registered";
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(kRan), sizeof kRan);
    RegCloseKey(key);
    return S_OK;
}
