#pragma once
#include <windows.h>

// Keeps libraries out of the program's own folder and the current folder.
// An installer is run from a Downloads folder, where web pages and other
// programs leave files: a DLL there named like one the system loads on
// demand (theme, imaging, version and similar libraries that are not on the
// system's list of known DLLs) would run with the installer's administrator
// rights. Called first thing at start, before anything loads a library;
// libraries loaded afterwards come from the system folder only.
void RestrictLibrarySearch();

// A library of the system folder, loaded from there whatever the search
// order (for libraries the programs do not import, so that their own
// imports are not loaded at start, before RestrictLibrarySearch). Stays
// loaded; null when it cannot be loaded.
HMODULE LoadSystemLibrary(const char* name);
