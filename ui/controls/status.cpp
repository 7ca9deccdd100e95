#include "ui/controls/status.h"

#include <commctrl.h>

#include "ui/control_creation.h"

namespace {

constexpr int kPartEdges[] = {200, 400, 600};

}  // namespace

// The high byte of the part word selects drawing types (an owner-drawn part
// takes no text), so only the three part numbers are passed on.
bool Status::SetPartText(int part, const char* partText) {
    if (part < 0 || part >= static_cast<int>(sizeof kPartEdges / sizeof kPartEdges[0])) return false;
    return SendMessageA(handle, SB_SETTEXTA, part,
                        reinterpret_cast<LPARAM>(partText != nullptr ? partText : "")) != 0;
}

// The status window function creates the bar, docked at the bottom of the
// window, with the control's id.
Status* SmVentana::AddStatus() {
    int id = ReserveControlSlot(*this);
    if (id == 0) return nullptr;
    auto* status = new Status(id, handle);
    status->handle = CreateStatusWindowA(
        WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP | CCS_ADJUSTABLE | CCS_BOTTOM, "", handle,
        static_cast<UINT>(id));
    SetDefaultFont(*status);
    SendMessageA(status->handle, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(kPartEdges));
    LinkControl(*status);
    ShowWindow(status->handle, SW_SHOWNORMAL);
    UpdateWindow(status->handle);
    PlaceInTable(*this, *status);
    return status;
}
