#pragma once
// What Windows can store as a name below the product folder. Both checks take
// Windows-1252 bytes and answer with the reason a name is refused, or an
// empty text when it is fine.
#include <string>

// One file or folder name: no control characters, none of <>:"/\|?*, no
// trailing dot or space, no device name (CON, PRN, AUX, NUL, COM1-9, LPT1-9,
// CONIN$, CONOUT$), with or without an extension.
std::string WindowsComponentProblem(const std::string& component);

// A backslash-separated relative path as the archive stores it: at most 149
// bytes, no leading backslash, no empty, "." or ".." component, every
// component storable, every byte a Windows-1252 character. Such a name
// cannot leave the folder it is appended to.
std::string ArchiveNameProblem(const std::string& name);
