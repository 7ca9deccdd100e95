#pragma once
#include "ui/sm_control.h"

// A row of page tabs.
class Tab : public SmControl {
public:
    Tab(int id, HWND parentHandle) : SmControl(KindTab, id, parentHandle) {}

    int pageCount = 0;
    NotifyHandler on_select_change;
};
