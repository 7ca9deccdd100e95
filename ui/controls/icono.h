#pragma once
#include "ui/sm_control.h"

// A static picture showing an icon resource.
class Icono : public SmControl {
public:
    Icono(int id, HWND parentHandle) : SmControl(KindIcono, id, parentHandle) {}
};
