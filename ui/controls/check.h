#pragma once
#include "ui/sm_control.h"

// A check box whose mark the routing toggles on each click.
class Check : public SmControl {
public:
    Check(int id, HWND parentHandle, const char* caption)
        : SmControl(KindCheck, id, parentHandle, caption) {}

    // Returns the flag given.
    bool SetChecked(bool flag);
    bool IsChecked() const;
};
