#include "ui/control_creation.h"

#include "ui/procedures.h"
#include "ui/sm_control.h"
#include "ui/sm_ventana.h"

int ReserveControlSlot(SmVentana& window) {
    if (window.count < 0 || window.count >= SmVentana::kControlSlots - 1) return 0;
    return ++window.count;
}

void CreateControlWindow(const SmVentana& window, SmControl& control, const ControlStyle& style,
                         const char* windowText, int x, int y, int w, int h) {
    control.handle = CreateWindowExA(style.extendedStyle, style.systemClass,
                                     windowText != nullptr ? windowText : "", style.style, x, y, w,
                                     h, window.handle,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)),
                                     window.instance, nullptr);
}

void SetDefaultFont(const SmControl& control) {
    SendMessageA(control.handle, WM_SETFONT,
                 reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
}

void LinkControl(SmControl& control) {
    SetWindowLongPtrA(control.handle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&control));
    control.previousProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(control.handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ControlProc)));
}

void PlaceInTable(SmVentana& window, SmControl& control) { window.controls[control.id] = &control; }

void EnterControl(SmVentana& window, SmControl& control, const ControlStyle& style) {
    if (style.defaultFont) SetDefaultFont(control);
    LinkControl(control);
    ShowWindow(control.handle, SW_SHOWNORMAL);
    UpdateWindow(control.handle);
    PlaceInTable(window, control);
}
