#include "platform/pc/ansi_path.h"

namespace {

// Exact conversion only: no replacement character, no best-fit letter.
bool ConvertExactly(const wchar_t* path, char* buffer, size_t capacity) {
    if (capacity == 0) return false;
    int size = capacity > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(capacity);
    BOOL replaced = FALSE;
    // UTF-8 as the ANSI code page (a Windows 10 option) holds every
    // character and takes neither the flag nor the replacement report.
    bool utf8 = GetACP() == CP_UTF8;
    int written = WideCharToMultiByte(CP_ACP, utf8 ? 0 : WC_NO_BEST_FIT_CHARS, path, -1, buffer, size, nullptr,
                                      utf8 ? nullptr : &replaced);
    if (written > 0 && !replaced) return true;
    buffer[0] = '\0';
    return false;
}

}  // namespace

bool ToAnsiPath(const wchar_t* path, char* buffer, size_t capacity) {
    if (ConvertExactly(path, buffer, capacity)) return true;
    wchar_t shortPath[MAX_PATH * 2] = {};
    DWORD length = GetShortPathNameW(path, shortPath, sizeof shortPath / sizeof shortPath[0]);
    if (length == 0 || length >= sizeof shortPath / sizeof shortPath[0]) return false;
    return ConvertExactly(shortPath, buffer, capacity);
}
