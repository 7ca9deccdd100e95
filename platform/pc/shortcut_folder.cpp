#include "platform/pc/shortcut_folder.h"

#include <cstring>

#include "common/bounded_copy.h"

char* ShortcutWorkingFolder(const char* target, char* folder, size_t capacity) {
    if (capacity == 0) return folder;
    folder[0] = '\0';
    const char* lastBackslash = std::strrchr(target, '\\');
    if (lastBackslash == nullptr) return folder;
    size_t length = static_cast<size_t>(lastBackslash - target);
    if (length == 2 && target[1] == ':') ++length;
    if (length > capacity - 1) length = capacity - 1;
    std::memcpy(folder, target, length);
    folder[length] = '\0';
    return folder;
}
