#pragma once
// The install engine's file system, shell and registry calls, routed
// through the fault seam (fault_seam.h): each does what ThePC or the system
// call does, unless a test's hook makes it fail, in which case it does
// nothing, sets the system's last error and fails as the system would.
#include <windows.h>

bool SeamRemoveFile(const char* path);
// MoveFileExA with MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH.
bool SeamReplaceFile(const char* from, const char* to);
bool SeamMakeFolderTree(const char* path);
HRESULT SeamCreateShortcut(const char* target, const char* link, const char* arguments);
// RegSetValueExA of a REG_SZ value (text with its terminator).
LONG SeamSetRegistryText(HKEY key, const char* valueName, const char* text);
