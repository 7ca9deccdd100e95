#pragma once
// Reads a shell link back through the shell's own IShellLinkA, as Windows
// would when the user opens it.
#include <optional>
#include <string>

struct LinkInfo {
    std::string target, description, arguments, workingFolder;
};

// nullopt when the file cannot be loaded as a link.
std::optional<LinkInfo> ReadShortcut(const std::string& linkPath);
