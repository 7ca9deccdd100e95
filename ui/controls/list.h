#pragma once
#include "ui/sm_control.h"

// A sorted list box of texts.
class List : public SmControl {
public:
    List(int id, HWND parentHandle) : SmControl(KindList, id, parentHandle) {}

    int lastAdded = 0;  // index the last Add was given
    NotifyHandler on_select_change;
};
