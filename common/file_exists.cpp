#include "common/file_exists.h"

#ifdef _WIN32
#include <windows.h>

// As PathFileExistsA answers, without importing the shell's light-weight
// library, which brings others in at start (see platform/pc/library_search.h).
bool PathExists(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }
#else
#include <sys/stat.h>

bool PathExists(const char* path) {
    struct stat info;
    return stat(path, &info) == 0;
}
#endif
