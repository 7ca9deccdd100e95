#include "ui/controls/edit.h"

#include "ui/control_creation.h"

LRESULT Edit::SelectRange(int start, int end) { return SendMessageA(handle, EM_SETSEL, start, end); }

// Alignment 0 left, 1 centre, 2 right. Any other value would read past the
// table, so it gets the left alignment.
Edit* SmVentana::AddEdit(int x, int y, int w, int h, int alignment) {
    static const DWORD kAlignments[] = {ES_LEFT, ES_CENTER, ES_RIGHT};
    DWORD align = alignment >= 0 && alignment <= 2 ? kAlignments[alignment] : ES_LEFT;
    const ControlStyle kind{"EDIT", WS_EX_CONTROLPARENT | WS_EX_CLIENTEDGE,
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | align, true};
    return MakeControl<Edit>(*this, kind, "", x, y, w, h);
}
