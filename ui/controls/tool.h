#pragma once
#include <windows.h>

#include <commctrl.h>

#include "ui/sm_control.h"

// A toolbar along the top of its window. Buttons and separators are first
// described (AddButton, AddSeparator), then handed to the toolbar by
// ShowButtons. Description n (from 0) gets the command identifier 201 + n;
// a press raises on_command with n + 1, separators counted, and the
// button's tooltip is the program's string resource with its command
// identifier.
class Tool : public SmControl {
public:
    static constexpr int kMaxButtons = 50;
    static constexpr int kFirstCommand = 201;

    Tool(int id, HWND parentHandle) : SmControl(KindTool, id, parentHandle) {}

    // Each returns false, describing nothing, once all 50 descriptions are
    // taken.
    bool AddSeparator();
    // An empty caption gives a button without text (string index -1).
    bool AddButton(const char* caption, int image);
    // Hands the image strip and every description to the toolbar, in place
    // of those it had, and shows it.
    void ShowButtons();

    TBBUTTON buttons[kMaxButtons] = {};
    int buttonCount = 0;
    int bitmapId = 0;  // image strip resource; 0 for the system's small colour images
    CommandHandler on_command;

private:
    bool Describe(int image, BYTE style, INT_PTR string);
};
