#pragma once
#include "ui/sm_control.h"

// A plain child window of the framework's class "SmPicture".
class Eje : public SmControl {
public:
    Eje(int id, HWND parentHandle) : SmControl(KindEje, id, parentHandle) {}
};
