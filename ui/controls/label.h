#pragma once
#include "ui/sm_control.h"

// A single-line static text that reports clicks.
class Label : public SmControl {
public:
    Label(int id, HWND parentHandle, const char* caption)
        : SmControl(KindLabel, id, parentHandle, caption) {}
};
