#pragma once
// The working folder a shortcut gets for its target program.
#include <cstddef>

// The folder part of target: everything before its last backslash, with a
// drive root kept whole ("C:\Q.exe" gives "C:\", not "C:", which would mean
// the drive's current folder). Empty when target has no backslash. Cut to
// capacity.
char* ShortcutWorkingFolder(const char* target, char* folder, size_t capacity);
