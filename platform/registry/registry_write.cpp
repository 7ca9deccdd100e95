#include "platform/registry/registry_write.h"

#include "platform/seam/seam_calls.h"

bool WriteRegistryText(HKEY root, const char* subkey, const char* valueName, const char* text) {
    HKEY key = nullptr;
    LONG status = RegCreateKeyA(root, subkey, &key);
    if (status == ERROR_SUCCESS) {
        status = SeamSetRegistryText(key, valueName, text);
        RegCloseKey(key);
    }
    // The registry's result is no last error of its own; it becomes one, so
    // that a caller can say why.
    if (status != ERROR_SUCCESS) SetLastError(static_cast<DWORD>(status));
    return status == ERROR_SUCCESS;
}
