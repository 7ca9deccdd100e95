#pragma once
#include "ui/sm_control.h"

// A push button; its click and focus notifications raise on_click,
// on_focus_gained and on_focus_lost.
class Boton : public SmControl {
public:
    Boton(int id, HWND parentHandle, const char* caption)
        : SmControl(KindBoton, id, parentHandle, caption) {}
};
