#include "ui/sm_ventana.h"

#include "common/bounded_copy.h"
#include "ui/procedures.h"
#include "ui/sm_control.h"
#include "ui/window_classes.h"

WNDPROC PreviousWindowProc = nullptr;

namespace {

SIZE ScreenSize() {
    HDC screen = GetDC(nullptr);
    SIZE size{GetDeviceCaps(screen, HORZRES), GetDeviceCaps(screen, VERTRES)};
    ReleaseDC(nullptr, screen);
    return size;
}

}  // namespace

SmVentana::SmVentana(const char* text, int outerWidth, int outerHeight, bool dialog,
                     HINSTANCE moduleInstance, HWND ownerHandle, const char* menuName)
    : owner(ownerHandle), instance(moduleInstance), width(outerWidth), height(outerHeight) {
    SIZE screen = ScreenSize();
    left = screen.cx / 2 - width / 2;
    top = screen.cy / 2 - height / 2;
    CopyBounded(title, sizeof title, text);

    HMENU menu = menuName != nullptr ? LoadMenuA(instance, menuName) : nullptr;
    // The caption gets the whole text; `title` keeps what fits.
    handle = CreateWindowExA(WS_EX_CONTROLPARENT, dialog ? kDialogClass : kScreenClass,
                             text != nullptr ? text : "",
                             dialog ? WS_SYSMENU : WS_OVERLAPPEDWINDOW, left, top, width, height,
                             owner, menu, instance, nullptr);
    // A window that could not be created has no procedure to take: the
    // shared default procedure of every other framework window stays.
    if (handle == nullptr) return;
    SetWindowLongPtrA(handle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    WNDPROC previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ScreenProc)));
    if (previous != nullptr) PreviousWindowProc = previous;
    SendMessageA(handle, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 TRUE);
}

SmVentana::~SmVentana() {
    for (int slot = 1; slot <= count; ++slot) {
        delete controls[slot];
        controls[slot] = nullptr;
    }
    count = 0;
    DestroyWindow(handle);  // fails without effect when already destroyed
    if (owner != nullptr) SetActiveWindow(owner);
}

void SmVentana::RunModal(int mode) {
    int show = mode == 0 ? SW_SHOWMINIMIZED : mode == 2 ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
    ShowWindow(handle, show);
    UpdateWindow(handle);
    if (controls[1] != nullptr) SetFocus(controls[1]->handle);
    if (owner != nullptr) EnableWindow(owner, FALSE);

    // GetMessage answers -1 on error: that ends the loop too, instead of
    // spinning on it.
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }

    if (owner != nullptr) EnableWindow(owner, TRUE);
}

BOOL SmVentana::Destroy() { return DestroyWindow(handle); }

void SmVentana::ShowMinimized() { ShowWindow(handle, SW_SHOWMINIMIZED); }
void SmVentana::ShowMaximized() { ShowWindow(handle, SW_SHOWMAXIMIZED); }
void SmVentana::ShowNormal() { ShowWindow(handle, SW_SHOWNORMAL); }

// The window's WM_SIZE stores the client size in width and height while the
// move runs; the outer geometry just set is stored afterwards, so the fields
// end with what the caller set.
void SmVentana::SetBounds(int newLeft, int newTop, int newWidth, int newHeight) {
    MoveWindow(handle, newLeft, newTop, newWidth, newHeight, TRUE);
    left = newLeft;
    top = newTop;
    width = newWidth;
    height = newHeight;
}

// One value changes; the other three are the window's current outer
// geometry, never a client size a WM_SIZE left in the fields.
int SmVentana::SetOne(int SmVentana::*field, int value) {
    RECT rect = OuterRect();
    left = rect.left;
    top = rect.top;
    width = rect.right - rect.left;
    height = rect.bottom - rect.top;
    this->*field = value;
    SetBounds(left, top, width, height);
    return value;
}

int SmVentana::SetLeft(int value) { return SetOne(&SmVentana::left, value); }
int SmVentana::SetTop(int value) { return SetOne(&SmVentana::top, value); }
int SmVentana::SetWidth(int value) { return SetOne(&SmVentana::width, value); }
int SmVentana::SetHeight(int value) { return SetOne(&SmVentana::height, value); }

RECT SmVentana::OuterRect() const {
    RECT rect{};
    GetWindowRect(handle, &rect);
    return rect;
}

int SmVentana::Left() { return left = OuterRect().left; }
int SmVentana::Top() { return top = OuterRect().top; }
int SmVentana::Width() {
    RECT rect = OuterRect();
    return width = rect.right - rect.left;
}
int SmVentana::Height() {
    RECT rect = OuterRect();
    return height = rect.bottom - rect.top;
}

const char* SmVentana::SetTitle(const char* text) {
    CopyBounded(title, sizeof title, text);
    SetWindowTextA(handle, text != nullptr ? text : "");
    return title;
}
