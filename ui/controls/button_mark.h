#pragma once
#include <windows.h>

// The mark of a check box or option. Neither is an automatic button: the
// program and the routing set the mark, the system never does.
inline bool SetButtonMark(HWND button, bool flag) {
    SendMessageA(button, BM_SETCHECK, flag ? BST_CHECKED : BST_UNCHECKED, 0);
    return flag;
}

inline bool ButtonMarked(HWND button) {
    return SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}
