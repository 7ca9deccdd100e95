#pragma once
// What Windows can store as one file or folder name, as the packer and the
// installer both judge it: names Windows would turn into a device or change
// on the way (a trailing dot or space is dropped) name another file than the
// archive says. Bytes are Windows-1252.
#include <cstddef>

enum class ComponentFault {
    None,
    Empty,
    ControlCharacter,
    ReservedCharacter,   // one of <>:"/\|?*
    TrailingDotOrSpace,  // Windows drops it
    DeviceName,          // CON, PRN, AUX, NUL, CONIN$, CONOUT$, COM1-9, LPT1-9, with or without an extension
};

// Checks the `length` bytes at `component`. For ReservedCharacter,
// `offending` (when given) receives the character.
ComponentFault CheckWindowsComponent(const char* component, size_t length, char* offending = nullptr);
