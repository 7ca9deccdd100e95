#include "ui/controls/eje.h"

#include "ui/control_creation.h"
#include "ui/window_classes.h"

// A plain area of the class "SmPicture", which SmAplicacion registers with
// default processing only; programs draw on it themselves.
Eje* SmVentana::AddEje(int x, int y, int w, int h) {
    const ControlStyle kind{kPictureClass, WS_EX_CONTROLPARENT, WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                            false};
    return MakeControl<Eje>(*this, kind, "", x, y, w, h);
}
