#include "windows_name.h"

#include "common/windows_component.h"
#include "install/smx_format.h"
#include "name_codec.h"

std::string WindowsComponentProblem(const std::string& component) {
    char offending = 0;
    switch (CheckWindowsComponent(component.data(), component.size(), &offending)) {
        case ComponentFault::None: return std::string();
        case ComponentFault::Empty: return "empty name";
        case ComponentFault::ControlCharacter: return "name holds a control character";
        case ComponentFault::ReservedCharacter:
            return std::string("name holds the character '") + offending + "', which Windows does not allow";
        case ComponentFault::TrailingDotOrSpace: return "name ends with a dot or a space, which Windows drops";
        case ComponentFault::DeviceName: return "'" + DisplayName(component) + "' is a device name on Windows";
    }
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
