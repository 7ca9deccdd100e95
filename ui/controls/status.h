#pragma once
#include "ui/sm_control.h"

// A status bar docked at the bottom of its window, which forwards its
// resizes to it. It has three parts whose right edges are at 200, 400 and
// 600 pixels, and a size grip. The common SetText writes the first part.
class Status : public SmControl {
public:
    Status(int id, HWND parentHandle) : SmControl(KindStatus, id, parentHandle) {}

    // Writes the text of part 0, 1 or 2 (SB_SETTEXTA); returns whether the
    // bar took it. Other part numbers write nothing.
    bool SetPartText(int part, const char* partText);
};
