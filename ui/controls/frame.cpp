#include "ui/controls/frame.h"

#include "ui/control_creation.h"

Frame* SmVentana::AddFrame(const char* caption, int x, int y, int w, int h) {
    const ControlStyle kind{"BUTTON", WS_EX_CONTROLPARENT,
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_NOTIFY | BS_GROUPBOX, true};
    return MakeControl<Frame>(*this, kind, caption, x, y, w, h, caption);
}
