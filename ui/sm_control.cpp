#include "ui/sm_control.h"

#include <cstring>

#include "common/bounded_copy.h"

SmControl::SmControl(ControlKind kind, int id, HWND parentHandle, const char* caption)
    : parentHandle(parentHandle), id(id), kind(kind) {
    CopyBounded(text, sizeof text, caption);
}

// By the time this runs the derived part is gone, while destroying the
// system window still sends messages (a tree deletes each item, the parent
// hears of it): the window leaves the routing first, its own procedure
// given back and the object no longer found through it.
SmControl::~SmControl() {
    if (handle != nullptr) {
        SetWindowLongPtrA(handle, GWLP_USERDATA, 0);
        if (previousProc != nullptr) {
            SetWindowLongPtrA(handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousProc));
        }
        DestroyWindow(handle);
    }
    handle = nullptr;
    std::memset(text, 0, sizeof text);
}

// The window gets the whole text; the object keeps what fits.
const char* SmControl::SetText(const char* newText) {
    CopyBounded(text, sizeof text, newText);
    SetWindowTextA(handle, newText != nullptr ? newText : "");
    // A label paints its text over what is on screen without clearing its
    // rectangle; the parent repaints the area first so that a shorter text
    // leaves nothing of a longer one.
    if (kind == KindLabel && handle != nullptr) {
        RECT area{};
        GetWindowRect(handle, &area);
        MapWindowPoints(nullptr, parentHandle, reinterpret_cast<POINT*>(&area), 2);
        RedrawWindow(parentHandle, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
    return text;
}

const char* SmControl::Text() {
    std::memset(text, 0, sizeof text);
    GetWindowTextA(handle, text, sizeof text);
    return text;
}

bool SmControl::Enable(bool flag) {
    EnableWindow(handle, flag);
    return flag;
}

bool SmControl::SetVisible(bool flag) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(handle, &placement);
    placement.showCmd = flag ? SW_SHOWNORMAL : SW_HIDE;
    SetWindowPlacement(handle, &placement);
    return flag;
}

// The placement's show command never reads back as hidden (the system
// reports a hidden window as shown normally), so the answer comes from the
// window's own visible style instead.
bool SmControl::IsVisible() const {
    return (GetWindowLongA(handle, GWL_STYLE) & WS_VISIBLE) != 0;
}

HWND SmControl::Focus() { return SetFocus(handle); }

void SmControl::SetBounds(int x, int y, int w, int h) {
    left = x;
    top = y;
    width = w;
    height = h;
    MoveWindow(handle, x, y, w, h, TRUE);
}

RECT SmControl::OuterRect() const {
    RECT rect{};
    GetWindowRect(handle, &rect);
    return rect;
}

int SmControl::Left() { return left = OuterRect().left; }
int SmControl::Top() { return top = OuterRect().top; }
int SmControl::Width() {
    RECT rect = OuterRect();
    return width = rect.right - rect.left;
}
int SmControl::Height() {
    RECT rect = OuterRect();
    return height = rect.bottom - rect.top;
}
