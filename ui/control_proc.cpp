#include <windows.h>

#include "ui/control_lookup.h"
#include "ui/procedures.h"
#include "ui/raise.h"
#include "ui/sm_control.h"
#include "ui/sm_ventana.h"

namespace {

// Kinds that take no input; the Tab walk passes over them.
bool TakesNoFocus(int kind) {
    return kind == KindFrame || kind == KindProgress || kind == KindImage ||
           kind == KindIcono || kind == KindLabel;
}

// Tab moves forward only: to the next control after `from` that takes
// input, or back to slot 1 (whatever its kind) after the last.
void MoveFocusOnTab(const SmVentana& window, int from) {
    for (int slot = from + 1; slot <= window.count; ++slot) {
        SmControl* next = window.controls[slot];
        if (next != nullptr && !TakesNoFocus(next->kind)) {
            SetFocus(next->handle);
            return;
        }
    }
    if (window.controls[1] != nullptr) SetFocus(window.controls[1]->handle);
}

void ReportInput(SmControl& control, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_KEYDOWN:
            if (wParam == VK_TAB) {
                SmVentana* window = WindowObject(control.parentHandle);
                if (window != nullptr && window->count > 0) MoveFocusOnTab(*window, control.id);
            }
            Raise(control.on_key_down, static_cast<int>(wParam));
            break;
        case WM_KEYUP: Raise(control.on_key_up, static_cast<int>(wParam)); break;
        case WM_MOUSEMOVE: Raise(control.on_mouse_move, MouseX(lParam), MouseY(lParam)); break;
        case WM_LBUTTONDOWN: Raise(control.on_mouse_down, 1, MouseX(lParam), MouseY(lParam)); break;
        case WM_RBUTTONDOWN: Raise(control.on_mouse_down, 2, MouseX(lParam), MouseY(lParam)); break;
        case WM_LBUTTONUP: Raise(control.on_mouse_up, 1, MouseX(lParam), MouseY(lParam)); break;
        case WM_RBUTTONUP: Raise(control.on_mouse_up, 2, MouseX(lParam), MouseY(lParam)); break;
        case WM_LBUTTONDBLCLK:
            Raise(control.on_double_click, &control, static_cast<int>(WM_LBUTTONDBLCLK), nullptr);
            break;
    }
}

}  // namespace

// The handlers never consume a message: it always goes on to the class
// procedure afterwards.
LRESULT CALLBACK ControlProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        auto* control = reinterpret_cast<SmControl*>(GetWindowLongPtrA(handle, GWLP_USERDATA));
        if (control == nullptr || control->previousProc == nullptr) {
            return DefWindowProcA(handle, message, wParam, lParam);
        }
        ReportInput(*control, message, wParam, lParam);
        return CallWindowProcA(control->previousProc, handle, message, wParam, lParam);
    } catch (...) {
        return 0;
    }
}
