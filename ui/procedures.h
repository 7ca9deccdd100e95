#pragma once
#include <windows.h>

// The procedure of every framework window: turns its input, painting,
// destruction and its controls' notifications into handler calls.
LRESULT CALLBACK ScreenProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The procedure of every control window: reports raw mouse and key input,
// moves the focus on Tab, and always passes the message on to the control's
// own class procedure.
LRESULT CALLBACK ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
