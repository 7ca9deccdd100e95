#include "platform/registry/registry_text.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>

#include "platform/registry/registry_write.h"

namespace {
char RegistryText[RegistryTextSize];

// Reads the value's data into the cleared buffer as text. False (buffer
// left empty) when it does not fit with a terminator.
bool ReadText(HKEY key, const char* valueName) {
    DWORD size = sizeof RegistryText;
    if (RegQueryValueExA(key, valueName, nullptr, nullptr, reinterpret_cast<BYTE*>(RegistryText), &size) !=
            ERROR_SUCCESS ||
        strnlen(RegistryText, sizeof RegistryText) == sizeof RegistryText) {
        RegistryText[0] = '\0';
        return false;
    }
    return true;
}

// Reads a number of up to 8 bytes (little-endian, as stored) and writes it
// in decimal.
void ReadNumber(HKEY key, const char* valueName) {
    uint64_t number = 0;
    DWORD size = sizeof number;
    if (RegQueryValueExA(key, valueName, nullptr, nullptr, reinterpret_cast<BYTE*>(&number), &size) ==
        ERROR_SUCCESS) {
        std::snprintf(RegistryText, sizeof RegistryText, "%" PRIu64, number);
    }
}

// Reads bytes and writes them as hex digit pairs; empty when they would not
// fit.
void ReadBinary(HKEY key, const char* valueName, DWORD size) {
    BYTE bytes[RegistryTextSize / 2];
    if (size >= sizeof bytes ||
        RegQueryValueExA(key, valueName, nullptr, nullptr, bytes, &size) != ERROR_SUCCESS) {
        return;
    }
    for (DWORD i = 0; i < size; ++i) std::snprintf(RegistryText + 2 * i, 3, "%02X", bytes[i]);
}
}  // namespace

bool SetEnvironmentValue(const char* text) { return WriteRegistryText(HKEY_CURRENT_USER, "Environment", "ORV", text); }

char* ReadRegistryText(HKEY key, const char* valueName) {
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key, valueName, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return RegistryText;
    std::memset(RegistryText, 0, sizeof RegistryText);
    switch (type) {
    case REG_SZ:
    case REG_EXPAND_SZ:
        ReadText(key, valueName);
        break;
    case REG_DWORD:
    case REG_QWORD:
        ReadNumber(key, valueName);
        break;
    case REG_BINARY:
        ReadBinary(key, valueName, size);
        break;
    default:
        break;
    }
    return RegistryText;
}

char* ReadRegistryKeyText(HKEY root, const char* subKey, const char* valueName) {
    HKEY key = nullptr;
    if (RegOpenKeyA(root, subKey, &key) != ERROR_SUCCESS) return RegistryText;
    ReadRegistryText(key, valueName);
    RegCloseKey(key);
    return RegistryText;
}
