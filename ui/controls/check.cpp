#include "ui/controls/check.h"

#include "ui/control_creation.h"
#include "ui/controls/button_mark.h"

bool Check::SetChecked(bool flag) { return SetButtonMark(handle, flag); }
bool Check::IsChecked() const { return ButtonMarked(handle); }

Check* SmVentana::AddCheck(const char* caption, int x, int y, int w, int h) {
    const ControlStyle kind{"BUTTON", WS_EX_CONTROLPARENT,
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_NOTIFY | BS_CHECKBOX, true};
    return MakeControl<Check>(*this, kind, caption, x, y, w, h, caption);
}
