#pragma once
#include "ui/sm_control.h"

// A group box.
class Frame : public SmControl {
public:
    Frame(int id, HWND parentHandle, const char* caption)
        : SmControl(KindFrame, id, parentHandle, caption) {}
};
