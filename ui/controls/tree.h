#pragma once
#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "ui/sm_control.h"

// A tree of texts. Items are numbered from 1 in the order they were added;
// item n's handle is entry n of `items`.
class Tree : public SmControl {
public:
    Tree(int id, HWND parentHandle) : SmControl(KindTree, id, parentHandle) {}

    std::vector<HTREEITEM> items;
    bool populated = false;  // true after an insertion, false after a clear
    TreeSelectHandler on_tree_select;
};
