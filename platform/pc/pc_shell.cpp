// PC's file system operations: existence, removal, folder trees.
#include "platform/pc/pc.h"

#include <cstring>

#include "common/bounded_copy.h"
#include "common/file_exists.h"

bool PC::Exists(const char* path) { return PathExists(path); }

bool PC::RemoveFile(const char* path) { return DeleteFileA(path) != FALSE; }

bool PC::RemoveFolder(const char* path) { return RemoveDirectoryA(path) != FALSE; }

bool PC::MakeFolderTree(const char* path) {
    // New folders take their attributes from the Windows folder.
    char templateFolder[ShortPathBufferSize] = {};
    WindowsFolder(templateFolder, sizeof templateFolder);

    // The path with one final backslash; a path too long for that is
    // refused, since a cut path would create folders nobody asked for.
    char tree[ShortPathBufferSize] = {};
    size_t length = std::strlen(path);
    bool endsWithBackslash = length > 0 && path[length - 1] == '\\';
    if (length + (endsWithBackslash ? 0 : 1) >= sizeof tree) return false;
    CopyBounded(tree, sizeof tree, path);
    if (!endsWithBackslash) tree[length++] = '\\';
    // Nothing shorter than "C:\x\": a drive root is never created.
    if (length <= 4) return false;

    BOOL created = FALSE;
    for (size_t i = 4; i < length; ++i) {
        if (tree[i] != '\\') continue;
        tree[i] = '\0';
        created = CreateDirectoryExA(templateFolder, tree, nullptr);
        tree[i] = '\\';
    }
    return created != FALSE;
}
