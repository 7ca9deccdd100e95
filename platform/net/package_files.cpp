// The package file beside the program and in the temporary folder.
#include "platform/net/package_files.h"

#include <windows.h>

#include <cstring>

#include "common/path_join.h"
#include "platform/net/online_package.h"

namespace {
// Whether two paths name the same file, as the file system resolves them.
bool SameFile(const char* a, const char* b) {
    char fullA[PathBufferSize];
    char fullB[PathBufferSize];
    DWORD lengthA = GetFullPathNameA(a, sizeof fullA, fullA, nullptr);
    DWORD lengthB = GetFullPathNameA(b, sizeof fullB, fullB, nullptr);
    if (lengthA == 0 || lengthA >= sizeof fullA || lengthB == 0 || lengthB >= sizeof fullB) return false;
    return lstrcmpiA(fullA, fullB) == 0;
}
}  // namespace

bool TempPackagePath(char* buffer, size_t capacity) {
    char temp[PathBufferSize];
    ThePC->TempFolder(temp, sizeof temp);
    size_t length = std::strlen(temp);
    if (length > 0 && temp[length - 1] == '\\') temp[length - 1] = '\0';
    return JoinPath(buffer, capacity, temp, "\\", PackageFileName);
}

bool FindLocalPackage(char* buffer, size_t capacity) {
    char self[PathBufferSize];
    DWORD length = GetModuleFileNameA(nullptr, self, sizeof self);
    // A path cut by the buffer would name another folder.
    if (length == 0 || length >= sizeof self) {
        if (capacity > 0) buffer[0] = '\0';
        return false;
    }
    char* end = self;
    for (char* c = self; *c != '\0'; ++c) {
        if (*c == '\\' || *c == '/') end = c + 1;
    }
    *end = '\0';
    return JoinPath(buffer, capacity, self, PackageFileName) && ThePC->Exists(buffer);
}

bool CopyPackageToTemp(const char* source) {
    char target[PathBufferSize];
    if (!TempPackagePath(target, sizeof target)) return false;
    // A program started from the temporary folder finds its package there
    // already; removing the target would remove the package itself.
    if (SameFile(source, target)) return ThePC->Exists(target);
    if (ThePC->Exists(target)) ThePC->RemoveFile(target);
    if (CopyFileA(source, target, FALSE)) return true;
    ThePC->RemoveFile(target);
    return false;
}
