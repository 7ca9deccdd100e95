#include "windows_name.h"

#include <cstring>

#include "install/smx_format.h"
#include "name_codec.h"

namespace {
bool IsDeviceName(const std::string& component) {
    // The device is what precedes the first dot, trailing spaces ignored.
    std::string base = component.substr(0, component.find('.'));
    while (!base.empty() && base.back() == ' ') base.pop_back();
    std::string folded = FoldCp1252(base);
    static const char* const kPlain[] = {"con", "prn", "aux", "nul", "conin$", "conout$"};
    for (const char* device : kPlain) {
        if (folded == device) return true;
    }
    if (folded.size() == 4 && (folded.compare(0, 3, "com") == 0 || folded.compare(0, 3, "lpt") == 0)) {
        unsigned char digit = static_cast<unsigned char>(folded[3]);
        // Windows also reserves the superscript digits ¹ ² ³ here.
        return (digit >= '1' && digit <= '9') || digit == 0xB9 || digit == 0xB2 || digit == 0xB3;
    }
    return false;
}
}  // namespace

std::string WindowsComponentProblem(const std::string& component) {
    if (component.empty()) return "empty name";
    for (char c : component) {
        unsigned char byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) return "name holds a control character";
        if (std::strchr("<>:\"/\\|?*", c) != nullptr) {
            return std::string("name holds the character '") + c + "', which Windows does not allow";
        }
    }
    char last = component.back();
    if (last == '.' || last == ' ') return "name ends with a dot or a space, which Windows drops";
    if (IsDeviceName(component)) return "'" + DisplayName(component) + "' is a device name on Windows";
    return std::string();
}

std::string ArchiveNameProblem(const std::string& name) {
    if (name.empty()) return "empty name";
    if (name.size() > SmxMaxNameLength) {
        return "name is " + std::to_string(name.size()) + " bytes long, more than " +
               std::to_string(SmxMaxNameLength);
    }
    if (name.size() >= 2 && name[1] == ':') return "name starts with a drive letter";
    if (name[0] == '\\') return "name starts with a backslash";
    std::string utf8;
    if (!Cp1252ToUtf8(name, utf8)) return "name holds a byte that is no Windows-1252 character";
    size_t start = 0;
    for (;;) {
        size_t end = name.find('\\', start);
        std::string component = name.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (component.empty()) return "name has an empty folder component";
        if (component == "." || component == "..") return "name has a '" + component + "' component";
        std::string problem = WindowsComponentProblem(component);
        if (!problem.empty()) return problem;
        if (end == std::string::npos) return std::string();
        start = end + 1;
    }
}
