#pragma once
// Keeps libraries out of the program's own folder and the current folder.
// An installer is run from a Downloads folder, where web pages and other
// programs leave files: a DLL there named like one the system loads on
// demand (theme, imaging, version and similar libraries that are not on the
// system's list of known DLLs) would run with the installer's administrator
// rights. Called first thing at start, before anything loads a library;
// libraries loaded afterwards come from the system folder only.
#include <windows.h>

void RestrictLibrarySearch();

// A library of the system folder ("SetupApi.dll"), loaded by its full path
// there whatever the search order: for libraries the programs do not import,
// so that their own imports are not loaded at start, before
// RestrictLibrarySearch. Null when it cannot be loaded; FreeLibrary as usual.
HMODULE LoadSystemLibrary(const char* name);
