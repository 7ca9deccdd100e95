#include "file_exists.h"

#ifdef _WIN32
#include <windows.h>
#include <shlwapi.h>

bool PathExists(const char* path) { return PathFileExistsA(path) != FALSE; }
#else
#include <sys/stat.h>

bool PathExists(const char* path) {
    struct stat info;
    return stat(path, &info) == 0;
}
#endif
