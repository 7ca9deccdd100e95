#pragma once
#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "ui/sm_control.h"

// A tree of texts. Items are numbered from 1 in the order they were added,
// again from 1 after Clear; item n's handle is entry n of `items`. Each item
// carries its number in the low and its parent's number in the high 16 bits
// of its data word, which on_tree_select reports.
class Tree : public SmControl {
public:
    Tree(int id, HWND parentHandle) : SmControl(KindTree, id, parentHandle) {}

    int ItemCount();
    // Adds an item under the item numbered `parent`, or at the top for 0,
    // above its earlier siblings. Returns 1 when it was added and 0 when the
    // system refused it or `parent` names no item. On an object whose kind
    // is not a tree it adds nothing and returns the item count.
    int AddItem(const char* caption, int parent);
    // Removes every item; numbering starts again at 1.
    void Clear();

    std::vector<HTREEITEM> items;
    bool populated = false;  // true after an insertion, false after a clear
    TreeSelectHandler on_tree_select;
};
