#include "resolved_path.h"

#include <windows.h>

#include <cstring>

bool ResolvedPath(const char* path, char* resolved, size_t capacity) {
    // No access asked: the query works on files other programs hold open.
    HANDLE entry = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                               FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (entry == INVALID_HANDLE_VALUE) return false;
    DWORD length = GetFinalPathNameByHandleA(entry, resolved, static_cast<DWORD>(capacity),
                                             FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    CloseHandle(entry);
    return length > 0 && length < capacity;
}

bool SamePath(const char* a, const char* b) {
    size_t length = std::strlen(a);
    if (length != std::strlen(b)) return false;
    return CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, a, static_cast<int>(length), b,
                          static_cast<int>(length)) == CSTR_EQUAL;
}
