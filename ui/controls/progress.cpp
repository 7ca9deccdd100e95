#include "ui/controls/progress.h"

#include <commctrl.h>

#include "ui/control_creation.h"
#include "ui/sm_ventana.h"

int Progress::SetMinimum(int value) {
    minimum = value;
    SendRange();
    return minimum;
}

int Progress::SetMaximum(int value) {
    maximum = value;
    SendRange();
    return maximum;
}

// Bounds outside 0 to 65535 reach the bar reduced modulo 65536.
void Progress::SendRange() {
    LPARAM range = MAKELPARAM(static_cast<WORD>(minimum), static_cast<WORD>(maximum));
    SendMessageA(handle, PBM_SETRANGE, 0, range);
}

int Progress::SetPosition(int position) {
    SendMessageA(handle, PBM_SETPOS, position, 0);
    return position;
}

int Progress::Position() { return static_cast<int>(SendMessageA(handle, PBM_GETPOS, 0, 0)); }

Progress* SmVentana::AddProgress(int x, int y, int w, int h) {
    int id = ReserveControlSlot(*this);
    if (id == 0) return nullptr;
    auto* progress = new Progress(id, handle);
    const ControlStyle kind{PROGRESS_CLASSA, WS_EX_CLIENTEDGE, WS_CHILD | WS_VISIBLE | PBS_SMOOTH,
                            true};
    CreateControlWindow(*this, *progress, kind, "", x, y, w, h);
    EnterControl(*this, *progress, kind);
    return progress;
}
