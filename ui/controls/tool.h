#pragma once
#include <windows.h>

#include <commctrl.h>

#include "ui/sm_control.h"

// A toolbar along the top of its window. Its buttons' command identifiers
// start at 201; a press raises on_command with the button's number from 1.
class Tool : public SmControl {
public:
    static constexpr int kMaxButtons = 50;

    Tool(int id, HWND parentHandle) : SmControl(KindTool, id, parentHandle) {}

    TBBUTTON buttons[kMaxButtons] = {};
    int buttonCount = 0;
    int bitmapId = 0;  // image strip resource; 0 for the system's small colour images
    CommandHandler on_command;
};
