#pragma once
#include <windows.h>

#include "ui/control_kind.h"
#include "ui/handler_slots.h"

// The control object: one system child window of a framework window, with
// its caption, its slot in the owning window's control table, its kind, its
// last known geometry and the handler slots the dispatch raises.
// Objects are made by the owning window's factories and belong to that
// window's control table; the window deletes them at its teardown, so a
// program keeps the pointers it is given but never deletes them itself.
class SmControl {
public:
    static constexpr int kTextSize = 150;  // 149 characters and a NUL

    virtual ~SmControl();
    SmControl(const SmControl&) = delete;
    SmControl& operator=(const SmControl&) = delete;

    // The common operations; each acts on `handle`.
    const char* SetText(const char* newText);
    const char* Text();
    bool Enable(bool flag);
    bool SetVisible(bool flag);
    bool IsVisible() const;
    HWND Focus();
    void SetBounds(int x, int y, int w, int h);
    // Screen coordinates of the outer rectangle, not the client-relative
    // values SetBounds takes; each stores what it returns.
    int Left();
    int Top();
    int Width();
    int Height();

    char text[kTextSize] = {};
    WNDPROC previousProc = nullptr;  // the system class's procedure, called after ours
    HWND handle = nullptr;
    HWND parentHandle = nullptr;
    int id = 0;    // the slot in the owning window's table and the child id
    int kind = KindSmControl;
    int left = 0, top = 0, width = 0, height = 0;

    NotifyHandler on_click;
    NotifyHandler on_double_click;
    MouseButtonHandler on_mouse_down;
    MouseButtonHandler on_mouse_up;
    MouseMoveHandler on_mouse_move;
    KeyHandler on_key_down;
    KeyHandler on_key_up;
    NotifyHandler on_focus_lost;
    NotifyHandler on_focus_gained;

protected:
    // Only the derived kinds construct: `kind` always names the object's
    // real class, which the routing relies on when it converts.
    SmControl(ControlKind kind, int id, HWND parentHandle, const char* caption = nullptr);

private:
    RECT OuterRect() const;
};
