#pragma once
// Small registry helpers of the services library: the user's "ORV"
// environment value and reading a value as text.
#include <windows.h>

#include <cstddef>

constexpr size_t RegistryTextSize = 512;

// Sets the REG_SZ value "ORV" under HKEY_CURRENT_USER\Environment. True when
// it was written.
bool SetEnvironmentValue(const char* text);

// Reads a value of an open key as text into one process-wide buffer of
// RegistryTextSize bytes, which every call reuses, and returns that buffer:
// - REG_SZ, REG_EXPAND_SZ: the text as stored (not expanded);
// - REG_DWORD, REG_QWORD: the number in decimal ("42");
// - REG_BINARY: two upper-case hex digits per byte ("0AFF"), as `reg query`
//   shows it;
// - any other type, and a text that does not fit with its terminator: empty.
// When the value cannot be queried (missing value, closed key) the buffer is
// returned unchanged.
char* ReadRegistryText(HKEY key, const char* valueName);

// Opens root\subKey, reads the value as ReadRegistryText does and closes the
// key. A sub-key that cannot be opened leaves the buffer unchanged.
char* ReadRegistryKeyText(HKEY root, const char* subKey, const char* valueName);
