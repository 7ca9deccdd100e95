#include "platform/pc/folder_path.h"

#include <cctype>
#include <cstring>

void StripFolderBackslash(char* path) {
    size_t length = std::strlen(path);
    if (length == 0 || path[length - 1] != '\\') return;
    bool root = length == 1 || (length == 3 && path[1] == ':');
    if (!root) path[length - 1] = '\0';
}

bool IsFileSystemPath(const char* path) {
    bool drive = std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' && path[2] == '\\';
    bool share = path[0] == '\\' && path[1] == '\\';
    return drive || share;
}
