#pragma once
#include "ui/sm_control.h"

// A list box: a sorted list of texts with tab stops, or, when owner-drawn,
// items that the owning window's on_measure_item and on_draw_item measure
// and draw. Indexes are the system's, from 0.
class List : public SmControl {
public:
    List(int id, HWND parentHandle) : SmControl(KindList, id, parentHandle) {}

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
