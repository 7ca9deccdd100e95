#pragma once
// Where the file system really puts an existing file or folder: the path of
// the object that a removal call on `path` would act on. A link's own path
// where the system removes links as themselves; its target where removing a
// link removes what it points to (Wine resolves links to files and folders
// before removing them).
#include <cstddef>

// False when the entry cannot be opened or the result does not fit.
bool ResolvedPath(const char* path, char* resolved, size_t capacity);

// Whether two paths name the same place, ignoring letter case.
bool SamePath(const char* a, const char* b);
