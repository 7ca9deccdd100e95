#pragma once
#include <windows.h>

// Calls a handler slot from inside a window procedure. An exception thrown
// by a handler must not cross back into the system, so it ends here and the
// procedure goes on with what follows the call (ending a paint, posting the
// quit message, passing the message on).
template <class Slot, class... Args>
void Raise(const Slot& slot, Args... args) noexcept {
    try {
        slot(args...);
    } catch (...) {
    }
}

// Mouse positions: the low and high 16 bits of lParam, each unsigned.
inline int MouseX(LPARAM lParam) { return static_cast<int>(lParam & 0xFFFF); }
inline int MouseY(LPARAM lParam) { return static_cast<int>((lParam >> 16) & 0xFFFF); }
