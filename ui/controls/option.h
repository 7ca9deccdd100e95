#pragma once
#include "ui/sm_control.h"

// A radio option; all options of one window form a single group, wherever
// they are placed.
class Option : public SmControl {
public:
    Option(int id, HWND parentHandle, const char* caption)
        : SmControl(KindOption, id, parentHandle, caption) {}

    // Sets this option's mark only; the others keep theirs until a click.
    // Returns the flag given.
    bool SetChecked(bool flag);
    bool IsChecked() const;
};
