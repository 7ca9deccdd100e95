#pragma once
#include <windows.h>

#include "ui/handler_slots.h"

class SmControl;
class Boton;
class Calendar;
class Check;
class Combo;
class Edit;
class Eje;
class Frame;
class Icono;
class Image;
class Label;
class List;
class Option;
class Progress;
class Status;
class Tab;
class Tool;
class Tree;

// The window object: one top-level window of class "SmPantalla" or
// "SmDialogo", its title, handles and geometry, the table of its controls and
// its handler slots. The system window's user data points back here.
class SmVentana {
public:
    static constexpr int kTitleSize = 255;    // 254 characters and a NUL
    static constexpr int kControlSlots = 100;  // slot 0 is never used

    // Programs create windows through SmAplicacion. The window is created
    // hidden and centred on the screen; width and height are its outer size.
    SmVentana(const char* title, int width, int height, bool dialog, HINSTANCE instance,
              HWND owner, const char* menuName);
    // Deletes every control in the table (nothing else does), then destroys
    // the system window if it still exists and activates the owner.
    ~SmVentana();
    SmVentana(const SmVentana&) = delete;
    SmVentana& operator=(const SmVentana&) = delete;

    HWND Handle() const { return handle; }

    // Shows the window (0 minimized, 2 maximized, any other value normal) and
    // runs the thread's message loop until a quit message; the destruction of
    // any framework window posts one.
    void RunModal(int mode);
    BOOL Destroy();
    void ShowMinimized();
    void ShowMaximized();
    void ShowNormal();

    // Outer geometry in screen coordinates; each setter moves the window with
    // repainting, stores what it set and returns the value given.
    void SetBounds(int newLeft, int newTop, int newWidth, int newHeight);
    int SetLeft(int value);
    int SetTop(int value);
    int SetWidth(int value);
    int SetHeight(int value);
    // The current outer rectangle in screen coordinates; each stores what it
    // returns.
    int Left();
    int Top();
    int Width();
    int Height();
    const char* SetTitle(const char* text);

    // Each sets the class cursor, so it applies to every window of the class.
    void SetCursorHand();
    void SetCursorHelp();
    void SetCursorIBeam();
    void SetCursorAppStarting();
    void SetCursorCross();
    void SetCursorArrow();
    void SetCursorWait();
    void SetCursorSizeNS();
    void SetCursorSizeWE();
    void SetCursorUpArrow();
    void SetCursorSizeAll();
    void SetCursorNo();

    // Control factories. Each enters the new control in the next slot and
    // returns it, or returns null when all 99 slots are taken. Positions are
    // relative to the client area.
    Image* AddImage(const char* bitmapName, int x, int y, int w, int h);
    Label* AddLabel(const char* caption, int x, int y, int w, int h, int alignment);
    Progress* AddProgress(int x, int y, int w, int h);
    Boton* AddBoton(const char* caption, int x, int y, int w, int h, HBITMAP bitmap, HICON icon);
    Check* AddCheck(const char* caption, int x, int y, int w, int h);
    Option* AddOption(const char* caption, int x, int y, int w, int h);
    Frame* AddFrame(const char* caption, int x, int y, int w, int h);
    // alignment: 0 left, 1 centre, 2 right (any other value: left).
    Edit* AddEdit(int x, int y, int w, int h, int alignment);
    // An owner-drawn list leaves its items to on_measure_item and
    // on_draw_item; otherwise it is a sorted list of texts.
    List* AddList(int x, int y, int w, int h, bool ownerDrawn);
    // h includes the drop-down list.
    Combo* AddCombo(int x, int y, int w, int h);
    Calendar* AddCalendar(int x, int y, int w, int h);
    Tab* AddTab(int x, int y, int w, int h);
    // Placed along the top of the window. bitmapId names the image strip
    // resource (0: the system's small colour images); images are square,
    // imageSize pixels wide.
    Tool* AddTool(int bitmapId, int imageSize);
    // Docked at the bottom of the window.
    Status* AddStatus();
    Tree* AddTree(int x, int y, int w, int h);
    Icono* AddIcono(const char* iconName, int x, int y, int w, int h);
    // A plain area of the framework's class "SmPicture".
    Eje* AddEje(int x, int y, int w, int h);

    char title[kTitleSize] = {};
    HWND handle = nullptr;
    HWND owner = nullptr;
    HINSTANCE instance = nullptr;
    HCURSOR cursor = nullptr;  // the last one set by a cursor setter
    int count = 0;             // controls occupy slots 1 to count
    SmControl* controls[kControlSlots] = {};
    // Requested outer size and centred position at creation; afterwards the
    // client size of the last WM_SIZE or the outer geometry last set or read.
    int width = 0, height = 0, left = 0, top = 0;

    MenuHandler on_menu;
    EventHandler on_show;
    PaintHandler on_paint;
    EventHandler on_destroy;
    EventHandler on_size;
    EventHandler on_activate;
    EventHandler on_click;
    EventHandler on_double_click;
    WheelHandler on_wheel;
    MouseMoveHandler on_mouse_move;
    MouseButtonHandler on_mouse_up;
    MouseButtonHandler on_mouse_down;
    KeyHandler on_key_down;
    KeyHandler on_key_up;
    MeasureItemHandler on_measure_item;
    DrawItemHandler on_draw_item;

private:
    int SetOne(int SmVentana::*field, int value);
    RECT OuterRect() const;
    void SetClassCursor(LPCSTR systemCursor);
};

// The procedure framework windows had before ScreenProc replaced it (the
// class procedure, the same for both classes): ScreenProc hands it every
// message it does not handle itself.
extern WNDPROC PreviousWindowProc;
