#include "platform/registry/registry_write.h"

#include "platform/seam/seam_calls.h"

bool WriteRegistryText(HKEY root, const char* subkey, const char* valueName, const char* text) {
    HKEY key = nullptr;
    if (RegCreateKeyA(root, subkey, &key) != ERROR_SUCCESS) return false;
    LONG status = SeamSetRegistryText(key, valueName, text);
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}
