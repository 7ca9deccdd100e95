#pragma once
#include "ui/sm_control.h"

// A drop-down list of sorted texts. Indexes are the system's, from 0.
class Combo : public SmControl {
public:
    Combo(int id, HWND parentHandle) : SmControl(KindCombo, id, parentHandle) {}

    void Clear();
    int Count();
    // Returns the number of items left.
    int Remove(int index);
    // Stores the index the new item got in lastAdded and returns it.
    int Add(const char* item);
    // The new text stays at index even in a sorted list; returns `text`.
    const char* Replace(int index, const char* item);
    const char* ItemText(int index);
    LPARAM SetItemData(int index, LPARAM value);
    LPARAM ItemData(int index);
    // Returns the index given.
    int Select(int index);
    int Selected();

    int lastAdded = 0;  // index the last Add was given
    NotifyHandler on_select_change;
};
