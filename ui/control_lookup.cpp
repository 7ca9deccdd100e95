#include "ui/control_lookup.h"

#include "ui/sm_control.h"
#include "ui/sm_ventana.h"

SmVentana* WindowObject(HWND window) {
    return reinterpret_cast<SmVentana*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

SmControl* ControlOf(const SmVentana& window, HWND child) {
    if (child == nullptr) return nullptr;
    auto* candidate = reinterpret_cast<SmControl*>(GetWindowLongPtrA(child, GWLP_USERDATA));
    if (candidate == nullptr) return nullptr;
    // Compared as pointers only; the candidate is not read until found.
    for (int slot = 1; slot <= window.count && slot < SmVentana::kControlSlots; ++slot) {
        if (window.controls[slot] == candidate) return candidate;
    }
    return nullptr;
}
