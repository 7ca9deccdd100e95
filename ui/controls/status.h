#pragma once
#include "ui/sm_control.h"

// A status bar docked at the bottom of its window, which forwards its
// resizes to it.
class Status : public SmControl {
public:
    Status(int id, HWND parentHandle) : SmControl(KindStatus, id, parentHandle) {}
};
