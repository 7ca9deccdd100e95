#include "common/path_join.h"

#include <cstring>

#include "common/windows_component.h"

bool JoinPath(char* out, size_t capacity, const char* first, const char* second, const char* third) {
    if (capacity == 0) return false;
    size_t a = std::strlen(first), b = std::strlen(second), c = std::strlen(third);
    if (a + b + c + 1 > capacity) {
        out[0] = '\0';
        return false;
    }
    // The parts may alias out only as its first part (appending in place).
    std::memmove(out, first, a);
    std::memcpy(out + a, second, b);
    std::memcpy(out + a + b, third, c);
    out[a + b + c] = '\0';
    return true;
}

bool IsContainedName(const char* name) {
    if (name == nullptr || name[0] == '\0') return false;
    const char* component = name;
    for (const char* p = name;; ++p) {
        char ch = *p;
        if (ch == ':' || ch == '/') return false;
        if (ch == '\\' || ch == '\0') {
            // "." and ".." end with a dot, so they fail here too.
            size_t length = static_cast<size_t>(p - component);
            if (CheckWindowsComponent(component, length) != ComponentFault::None) return false;
            if (ch == '\0') return true;
            component = p + 1;
        }
    }
}
