#pragma once
#include "ui/sm_control.h"

// A smooth progress bar. The bar itself takes its bounds as 16-bit values;
// `minimum` and `maximum` keep the values the program gave, and each setter
// sends both bounds again.
class Progress : public SmControl {
public:
    Progress(int id, HWND parentHandle) : SmControl(KindProgress, id, parentHandle) {}

    int SetMinimum(int value);
    int SetMaximum(int value);
    // Returns the position given, not the previous one the bar reports.
    int SetPosition(int position);
    int Position();

    int minimum = 0;
    int maximum = 0;

private:
    void SendRange();
};
