#include "common/windows_component.h"

#include <cstring>

namespace {

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

// The device is what precedes the first dot, trailing spaces ignored.
bool IsDeviceName(const char* component, size_t length) {
    size_t base = 0;
    while (base < length && component[base] != '.') ++base;
    while (base > 0 && component[base - 1] == ' ') --base;
    char folded[8] = {};
    if (base >= sizeof folded) return false;
    for (size_t i = 0; i < base; ++i) folded[i] = LowerAscii(component[i]);
    static const char* const kPlain[] = {"con", "prn", "aux", "nul", "conin$", "conout$"};
    for (const char* device : kPlain) {
        if (std::strcmp(folded, device) == 0) return true;
    }
    if (base == 4 && (std::strncmp(folded, "com", 3) == 0 || std::strncmp(folded, "lpt", 3) == 0)) {
        unsigned char digit = static_cast<unsigned char>(folded[3]);
        // Windows also reserves the superscript digits ¹ ² ³ here.
        return (digit >= '1' && digit <= '9') || digit == 0xB9 || digit == 0xB2 || digit == 0xB3;
    }
    return false;
}

}  // namespace

ComponentFault CheckWindowsComponent(const char* component, size_t length, char* offending) {
    if (length == 0) return ComponentFault::Empty;
    for (size_t i = 0; i < length; ++i) {
        char c = component[i];
        unsigned char byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) return ComponentFault::ControlCharacter;
        if (std::strchr("<>:\"/\\|?*", c) != nullptr) {
            if (offending != nullptr) *offending = c;
            return ComponentFault::ReservedCharacter;
        }
    }
    char last = component[length - 1];
    if (last == '.' || last == ' ') return ComponentFault::TrailingDotOrSpace;
    if (IsDeviceName(component, length)) return ComponentFault::DeviceName;
    return ComponentFault::None;
}
