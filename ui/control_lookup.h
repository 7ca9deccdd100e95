#pragma once
#include <windows.h>

class SmControl;
class SmVentana;

// The window object of a framework window, from its user data.
SmVentana* WindowObject(HWND window);

// The control object of a child window, from its user data, but only when
// that object is one of `window`'s controls: a foreign child window's user
// data is no control of ours.
SmControl* ControlOf(const SmVentana& window, HWND child);
