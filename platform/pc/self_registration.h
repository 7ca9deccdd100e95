#pragma once
// The one caller of a self-registering library's entry points.
#include <windows.h>

// Loads the library at path, calls its exported entryPoint
// ("DllRegisterServer" or "DllUnregisterServer") when it has one, and
// unloads it. The entry point's result, or 0 when the library cannot be
// loaded or does not export it.
HRESULT CallRegistrationEntry(const char* path, const char* entryPoint);
