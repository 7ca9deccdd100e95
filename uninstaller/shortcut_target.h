#pragma once
// Reading where a shell link points.
#include <cstddef>

// The target path stored in the shell link file; false when the file cannot
// be read as a shell link or the path does not fit.
bool ShortcutTarget(const char* link, char* target, size_t capacity);
