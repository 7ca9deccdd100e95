#pragma once
#include "ui/sm_control.h"

// A date picker.
class Calendar : public SmControl {
public:
    Calendar(int id, HWND parentHandle) : SmControl(KindCalendar, id, parentHandle) {}

    NotifyHandler on_change;
};
