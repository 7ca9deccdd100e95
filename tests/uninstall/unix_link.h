#pragma once
// Links as Wine shows them. Wine cannot make a link through the system
// (CreateSymbolicLinkA answers TRUE and makes nothing), so tests make a Unix
// symbolic link in the prefix with the host's ln, started as a program.
#include <string>

// Makes link (a Windows path whose folder exists) point to target (a Windows
// path). Throws when it could not be made.
void MakeUnixLink(const std::string& target, const std::string& link);
