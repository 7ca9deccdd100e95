#include "kept_tables.h"

#include <windows.h>

#include <cstring>

namespace {
constexpr const char* kTableFolders[] = {"Data", "OrvServer\\Data"};
constexpr char kTableExtension[] = ".tbl";

bool EqualIgnoringCase(const char* a, const char* b, size_t length) {
    return CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, a, static_cast<int>(length), b,
                          static_cast<int>(length)) == CSTR_EQUAL;
}
}  // namespace

bool IsKeptTable(const char* relative) {
    const char* slash = std::strrchr(relative, '\\');
    if (slash == nullptr) return false;
    size_t folderLength = static_cast<size_t>(slash - relative);
    const char* name = slash + 1;
    size_t nameLength = std::strlen(name);
    size_t extensionLength = sizeof kTableExtension - 1;
    if (nameLength <= extensionLength ||
        !EqualIgnoringCase(name + nameLength - extensionLength, kTableExtension, extensionLength)) {
        return false;
    }
    for (const char* folder : kTableFolders) {
        if (std::strlen(folder) == folderLength && EqualIgnoringCase(relative, folder, folderLength)) return true;
    }
    return false;
}
