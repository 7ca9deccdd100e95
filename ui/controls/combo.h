#pragma once
#include "ui/sm_control.h"

// A sorted drop-down list of texts.
class Combo : public SmControl {
public:
    Combo(int id, HWND parentHandle) : SmControl(KindCombo, id, parentHandle) {}

    int lastAdded = 0;  // index the last Add was given
    NotifyHandler on_select_change;
};
