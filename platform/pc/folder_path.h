#pragma once
// The folder results' shape: no trailing backslash, except on a drive root
// such as "C:\", which without it would name the drive's current folder.
#include <cstddef>

// Removes one final backslash from path unless path is a root ("C:\" or
// "\").
void StripFolderBackslash(char* path);

// Whether path names a place in the file system by its full path: a drive
// ("C:\...") or a network share ("\\server..."). The shell answers other
// forms, such as "::{GUID}", for virtual folders, and a failed query an
// empty text, which joined to a name would make a relative path.
bool IsFileSystemPath(const char* path);
