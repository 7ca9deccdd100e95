#pragma once
#include "ui/sm_control.h"

// A single-line text field.
class Edit : public SmControl {
public:
    Edit(int id, HWND parentHandle) : SmControl(KindEdit, id, parentHandle) {}

    NotifyHandler on_change;
};
