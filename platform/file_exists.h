#pragma once
// Whether anything (file or folder) exists at the path. On Windows this is
// PathFileExistsA, the test every part of the installer uses.
bool PathExists(const char* path);
