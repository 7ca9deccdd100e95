#include "ui/controls/boton.h"

#include "ui/control_creation.h"
#include "ui/sm_ventana.h"

Boton* SmVentana::AddBoton(const char* caption, int x, int y, int w, int h, HBITMAP bitmap,
                           HICON icon) {
    int id = ReserveControlSlot(*this);
    if (id == 0) return nullptr;
    auto* boton = new Boton(id, handle, caption);
    DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_NOTIFY | BS_USERBUTTON;
    if (bitmap != nullptr) {
        style |= BS_BITMAP;
    } else if (icon != nullptr) {
        style |= BS_ICON;
    }
    const ControlStyle kind{"BUTTON", WS_EX_CONTROLPARENT, style, true};
    CreateControlWindow(*this, *boton, kind, caption, x, y, w, h);
    if (bitmap != nullptr) {
        SendMessageA(boton->handle, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
    }
    if (icon != nullptr) {
        SendMessageA(boton->handle, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
    }
    EnterControl(*this, *boton, kind);
    return boton;
}
