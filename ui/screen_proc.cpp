#include <windows.h>

#include <commctrl.h>

#include <cstring>

#include "ui/control_lookup.h"
#include "ui/controls/tool.h"
#include "ui/procedures.h"
#include "ui/raise.h"
#include "ui/routers.h"
#include "ui/sm_control.h"
#include "ui/sm_ventana.h"
#include "ui/window_classes.h"

namespace {

// Menu and accelerator commands use identifiers 500 to 599; tool buttons
// 201 to 299 (their tooltips ask for texts with the same identifiers).
constexpr int kFirstMenuCommand = 500;
constexpr int kLastMenuCommand = 599;
constexpr int kFirstToolCommand = 201;
constexpr int kLastToolCommand = 299;
constexpr int kToolCommandBase = 200;

// The tooltip reads the text after the procedure has returned, so it lives
// for the whole process.
char tooltipText[30];

bool IsFrameworkClass(HWND window) {
    char name[81] = {};
    GetClassNameA(window, name, sizeof name);
    if (std::strcmp(name, kPictureClass) == 0) return false;
    return std::strcmp(name, kScreenClass) == 0 || std::strcmp(name, kDialogClass) == 0;
}

LRESULT OnCommand(SmVentana& window, HWND handle, WPARAM wParam, LPARAM lParam) {
    int id = LOWORD(wParam);
    if (id >= kFirstMenuCommand && id <= kLastMenuCommand) {
        Raise(window.on_menu, id);
        return 0;
    }
    SmControl* sender = ControlOf(window, reinterpret_cast<HWND>(lParam));
    if (sender == nullptr) return DefWindowProcA(handle, WM_COMMAND, wParam, lParam);
    int code = HIWORD(wParam);
    if (sender->kind > KindTool) return 0;
    if (sender->kind == KindTool) {
        Raise(static_cast<Tool*>(sender)->on_command, id - kToolCommandBase);
    } else {
        RouteCommand(*sender, code);
    }
    return 0;
}

LRESULT OnNotify(SmVentana& window, WPARAM wParam, LPARAM lParam) {
    auto* record = reinterpret_cast<NMHDR*>(lParam);
    if (record == nullptr) return 0;
    if (wParam >= kFirstToolCommand && wParam <= kLastToolCommand) {
        if (record->code == TTN_GETDISPINFOA) {
            std::memset(tooltipText, 0, sizeof tooltipText);
            LoadStringA(GetModuleHandleA(nullptr), static_cast<UINT>(record->idFrom), tooltipText,
                        sizeof tooltipText);
            reinterpret_cast<NMTTDISPINFOA*>(record)->lpszText = tooltipText;
        }
        return 0;
    }
    SmControl* sender = ControlOf(window, record->hwndFrom);
    if (sender != nullptr) RouteNotify(*sender, record);
    return 0;
}

void OnSize(SmVentana& window, LPARAM lParam) {
    window.width = LOWORD(lParam);
    window.height = HIWORD(lParam);
    for (int slot = 1; slot <= window.count; ++slot) {
        SmControl* control = window.controls[slot];
        if (control == nullptr) continue;
        if (control->kind == KindStatus) SendMessageA(control->handle, WM_SIZE, 0, 0);
        if (control->kind == KindTool) SendMessageA(control->handle, TB_AUTOSIZE, 0, 0);
    }
    Raise(window.on_size);
}

LRESULT Dispatch(SmVentana& window, HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_DESTROY:
            Raise(window.on_destroy);
            PostQuitMessage(0);
            return 0;
        case WM_SIZE:
            OnSize(window, lParam);
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE) Raise(window.on_activate);
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(handle, &paint);
            Raise(window.on_paint, dc);
            EndPaint(handle, &paint);
            return 0;
        }
        case WM_CLOSE:
            DestroyWindow(handle);
            return 0;
        case WM_SHOWWINDOW:
            Raise(window.on_show);
            return 0;
        case WM_DRAWITEM:
            if (handle == window.handle) {
                auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
                Raise(window.on_draw_item, static_cast<int>(item->itemID), item->hDC,
                      &item->rcItem, item->itemAction, item->itemState);
            }
            return 0;
        case WM_MEASUREITEM:
            if (handle == window.handle) {
                auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
                Raise(window.on_measure_item, static_cast<int>(item->itemID), &item->itemWidth,
                      &item->itemHeight);
            }
            return 0;
        case WM_NOTIFY:
            return OnNotify(window, wParam, lParam);
        case WM_KEYDOWN:
            if (wParam == VK_TAB && window.controls[1] != nullptr) {
                SetFocus(window.controls[1]->handle);
            }
            Raise(window.on_key_down, static_cast<int>(wParam));
            return 0;
        case WM_KEYUP:
            Raise(window.on_key_up, static_cast<int>(wParam));
            return 0;
        case WM_COMMAND:
            return OnCommand(window, handle, wParam, lParam);
        case WM_MOUSEMOVE:
            Raise(window.on_mouse_move, MouseX(lParam), MouseY(lParam));
            return 0;
        case WM_LBUTTONDOWN:
            Raise(window.on_mouse_down, 1, MouseX(lParam), MouseY(lParam));
            return 0;
        case WM_LBUTTONUP:
            Raise(window.on_mouse_up, 1, MouseX(lParam), MouseY(lParam));
            Raise(window.on_click);
            return 0;
        case WM_LBUTTONDBLCLK:
            Raise(window.on_double_click);
            return 0;
        case WM_RBUTTONDOWN:
            Raise(window.on_mouse_down, 2, MouseX(lParam), MouseY(lParam));
            return 0;
        case WM_RBUTTONUP:
            Raise(window.on_mouse_up, 2, MouseX(lParam), MouseY(lParam));
            return 0;
        case WM_MOUSEWHEEL:
            Raise(window.on_wheel, static_cast<short>(HIWORD(wParam)) < 0 ? 1 : 0);
            return 0;
        default:
            return CallWindowProcA(PreviousWindowProc, handle, message, wParam, lParam);
    }
}

}  // namespace

LRESULT CALLBACK ScreenProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        if (!IsFrameworkClass(handle)) return DefWindowProcA(handle, message, wParam, lParam);
        SmVentana* window = WindowObject(handle);
        if (window == nullptr) return DefWindowProcA(handle, message, wParam, lParam);
        return Dispatch(*window, handle, message, wParam, lParam);
    } catch (...) {
        return 0;
    }
}
