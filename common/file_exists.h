#pragma once
// Whether anything (file or folder) exists at the path: on Windows, whether
// the system gives its attributes, the test every part of the installer uses.
bool PathExists(const char* path);
