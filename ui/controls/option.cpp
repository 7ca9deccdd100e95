#include "ui/controls/option.h"

#include "ui/control_creation.h"
#include "ui/controls/button_mark.h"

bool Option::SetChecked(bool flag) { return SetButtonMark(handle, flag); }
bool Option::IsChecked() const { return ButtonMarked(handle); }

Option* SmVentana::AddOption(const char* caption, int x, int y, int w, int h) {
    const ControlStyle kind{"BUTTON", WS_EX_CONTROLPARENT,
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_NOTIFY | BS_RADIOBUTTON, true};
    return MakeControl<Option>(*this, kind, caption, x, y, w, h, caption);
}
