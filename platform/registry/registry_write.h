#pragma once
// Writing a text value, the one registry write the services make.
#include <windows.h>

// Creates or opens root\subkey and sets the named REG_SZ value (terminating
// NUL counted), through the fault seam. True when the value was set; otherwise the
// registry's error code is the thread's last error.
bool WriteRegistryText(HKEY root, const char* subkey, const char* valueName, const char* text);
