#include "ui/controls/label.h"

#include "ui/control_creation.h"
#include "ui/sm_ventana.h"

// Every alignment gives the same left-aligned single line that reports
// clicks; the argument is kept for callers that state one.
Label* SmVentana::AddLabel(const char* caption, int x, int y, int w, int h,
                           [[maybe_unused]] int alignment) {
    int id = ReserveControlSlot(*this);
    if (id == 0) return nullptr;
    auto* label = new Label(id, handle, caption);
    const ControlStyle kind{"STATIC", WS_EX_CONTROLPARENT,
                            WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_SIMPLE, true};
    CreateControlWindow(*this, *label, kind, caption, x, y, w, h);
    EnterControl(*this, *label, kind);
    return label;
}
