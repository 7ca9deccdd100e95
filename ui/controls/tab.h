#pragma once
#include "ui/sm_control.h"

// A row of page tabs. Pages appear in the order they were added and are
// indexed from 0.
class Tab : public SmControl {
public:
    Tab(int id, HWND parentHandle) : SmControl(KindTab, id, parentHandle) {}

    // Adds a page at the end; returns the index the system gave it.
    int AddPage(const char* caption);
    // Returns the index selected before.
    int SelectPage(int index);
    int SelectedPage();

    int pageCount = 0;  // pages added; never goes down
    NotifyHandler on_select_change;
};
