#include "ui/controls/icono.h"

#include "ui/control_creation.h"

// The static control loads the icon resource named by its window text from
// the program's module and takes the icon's own size.
Icono* SmVentana::AddIcono(const char* iconName, int x, int y, int w, int h) {
    const ControlStyle kind{"STATIC", WS_EX_CONTROLPARENT,
                            WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_ICON, false};
    return MakeControl<Icono>(*this, kind, iconName, x, y, w, h);
}
