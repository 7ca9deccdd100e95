#pragma once
#include "ui/sm_control.h"

// A radio option; all options of one window form a single group.
class Option : public SmControl {
public:
    Option(int id, HWND parentHandle, const char* caption)
        : SmControl(KindOption, id, parentHandle, caption) {}
};
