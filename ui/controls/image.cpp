#include "ui/controls/image.h"

#include "ui/control_creation.h"
#include "ui/sm_ventana.h"

// The static control loads the bitmap resource named by its window text from
// the program's module and takes the bitmap's own size, so w and h have no
// lasting effect.
Image* SmVentana::AddImage(const char* bitmapName, int x, int y, int w, int h) {
    int id = ReserveControlSlot(*this);
    if (id == 0) return nullptr;
    auto* image = new Image(id, handle);
    const ControlStyle kind{"STATIC", WS_EX_CONTROLPARENT,
                            WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_BITMAP, false};
    CreateControlWindow(*this, *image, kind, bitmapName, x, y, w, h);
    EnterControl(*this, *image, kind);
    return image;
}
