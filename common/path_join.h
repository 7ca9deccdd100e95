#pragma once
// Bounded path building for the fixed path buffers of the install engine.
// A path that does not fit is refused (false, buffer emptied) rather than cut,
// because a cut path would name a different file.
#include <cstddef>

// out = first + second + third (any may be empty). False when the result
// with its terminator does not fit in capacity bytes.
bool JoinPath(char* out, size_t capacity, const char* first, const char* second, const char* third = "");

// True when a record name stays inside the folder it is joined to and names
// the file it says: a relative path of components separated by single
// backslashes, each one Windows stores as it is (see windows_component.h: no
// "." or "..", no drive letter or other colon, no forward slash, no device
// name, no trailing dot or space).
bool IsContainedName(const char* name);
