// Windows and the application object: classes, creation, centring, the
// modal loop, geometry, titles, cursors and teardown.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>

#include "ui/controls/boton.h"
#include "ui/controls/image.h"
#include "ui/controls/label.h"
#include "ui/controls/progress.h"
#include "ui/procedures.h"
#include "support/message_hook.h"
#include "support/ui_fixture.h"

namespace {

using WindowTest = UiTest;

struct ClassCase {
    const char* name;
    UINT style;
    LPCSTR icon;
    bool whiteBackground;
};

TEST_F(WindowTest, RegistersBothClassesAndUnregistersThemAtTheEnd) {
    const ClassCase cases[] = {
        {"SmPantalla", CS_DBLCLKS, IDI_APPLICATION, true},
        {"SmDialogo", CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS, IDI_ASTERISK, false},
    };
    for (const ClassCase& c : cases) {
        SCOPED_TRACE(c.name);
        WNDCLASSEXA info{};
        info.cbSize = sizeof info;
        ASSERT_TRUE(GetClassInfoExA(app->instance, c.name, &info));
        EXPECT_EQ(info.style, c.style);
        EXPECT_EQ(info.hIcon, LoadIconA(nullptr, c.icon));
        EXPECT_EQ(info.hCursor, LoadCursorA(nullptr, IDC_ARROW));
        EXPECT_EQ(info.hbrBackground, c.whiteBackground ? app->whiteBrush : app->faceBrush);
        EXPECT_EQ(info.cbClsExtra, 0);
        EXPECT_EQ(info.cbWndExtra, 0);
        EXPECT_EQ(info.lpszMenuName, nullptr);
    }
    HINSTANCE instance = app->instance;
    app.reset();
    for (const ClassCase& c : cases) {
        WNDCLASSEXA info{};
        info.cbSize = sizeof info;
        EXPECT_FALSE(GetClassInfoExA(instance, c.name, &info)) << c.name;
    }
}

// The second object finds the classes registered; deleting it must leave
// them to the first.
TEST_F(WindowTest, SecondApplicationRegistersNothingNewAndLeavesTheClasses) {
    auto second = std::make_unique<SmAplicacion>();
    WNDCLASSEXA info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetClassInfoExA(app->instance, "SmPantalla", &info));
    EXPECT_EQ(info.hbrBackground, app->whiteBrush);
    second.reset();

    EXPECT_NE(Dialog()->handle, nullptr);
    EXPECT_NE(Screen()->handle, nullptr);
}

struct KindCase {
    bool dialog;
    const char* className;
};

TEST_F(WindowTest, CreatesAHiddenWindowLinkedToItsObject) {
    SmVentana* owner = Screen("Dueño");
    MessageHook hook;
    for (KindCase c : {KindCase{true, "SmDialogo"}, KindCase{false, "SmPantalla"}}) {
        SCOPED_TRACE(c.className);
        SmVentana* w = c.dialog ? Dialog("Título", 300, 200, owner) : Screen("Título", 300, 200, owner);
        char name[32] = {};
        GetClassNameA(w->handle, name, sizeof name);
        EXPECT_STREQ(name, c.className);
        LONG style = GetWindowLongA(w->handle, GWL_STYLE);
        if (c.dialog) {
            EXPECT_TRUE(style & WS_SYSMENU);
            EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
        } else {
            EXPECT_EQ(style & WS_OVERLAPPEDWINDOW, static_cast<LONG>(WS_OVERLAPPEDWINDOW));
        }
        EXPECT_FALSE(style & WS_VISIBLE);
        EXPECT_TRUE(GetWindowLongA(w->handle, GWL_EXSTYLE) & WS_EX_CONTROLPARENT);
        EXPECT_EQ(GetWindowLongPtrA(w->handle, GWLP_USERDATA), reinterpret_cast<LONG_PTR>(w));
        EXPECT_EQ(GetWindowLongPtrA(w->handle, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&ScreenProc));
        auto fonts = hook.To(w->handle, WM_SETFONT);
        ASSERT_EQ(fonts.size(), 1u);
        EXPECT_EQ(reinterpret_cast<HGDIOBJ>(fonts[0].wParam), GetStockObject(DEFAULT_GUI_FONT));
        EXPECT_EQ(fonts[0].lParam, TRUE);
        EXPECT_EQ(GetWindow(w->handle, GW_OWNER), owner->handle);
        EXPECT_EQ(w->owner, owner->handle);
        EXPECT_EQ(w->instance, app->instance);
        EXPECT_STREQ(w->title, "Título");
        char caption[32] = {};
        GetWindowTextA(w->handle, caption, sizeof caption);
        EXPECT_STREQ(caption, "Título");
    }
    // The previous procedure ScreenProc hands messages to is the class one.
    EXPECT_EQ(PreviousWindowProc, reinterpret_cast<WNDPROC>(&DefWindowProcA));
}

// A window that cannot be created (its owner is no window) has no procedure
// to hand over: every other framework window keeps its default processing.
TEST_F(WindowTest, AFailedCreationLeavesTheOtherWindowsTheirDefaultProcessing) {
    SmVentana* first = Dialog("Primera");
    {
        SmVentana failed("Fallida", 200, 100, true, app->instance, reinterpret_cast<HWND>(0x7FFF1234), nullptr);
        EXPECT_EQ(failed.handle, nullptr);
    }
    EXPECT_EQ(PreviousWindowProc, reinterpret_cast<WNDPROC>(&DefWindowProcA));
    char caption[32] = {};
    GetWindowTextA(first->handle, caption, sizeof caption);  // WM_GETTEXT, answered by default processing
    EXPECT_STREQ(caption, "Primera");
}

TEST_F(WindowTest, FreshWindowHasNoControlsAndNoHandlers) {
    SmVentana* w = Dialog();
    EXPECT_EQ(w->count, 0);
    for (SmControl* slot : w->controls) EXPECT_EQ(slot, nullptr);
    EXPECT_EQ(w->cursor, nullptr);
    EXPECT_FALSE(w->on_menu || w->on_show || w->on_paint || w->on_destroy || w->on_size ||
                 w->on_activate || w->on_click || w->on_double_click || w->on_wheel ||
                 w->on_mouse_move || w->on_mouse_up || w->on_mouse_down || w->on_key_down ||
                 w->on_key_up || w->on_measure_item || w->on_draw_item);
}

TEST_F(WindowTest, MenuResourceIsLoaded) {
    windows.emplace_back(app->CreateScreenWindow("Con menú", 300, 200, nullptr, "MENU_PRUEBA"));
    EXPECT_NE(GetMenu(windows.back()->handle), nullptr);
}

TEST_F(WindowTest, CentresOnTheScreen) {
    HDC screen = GetDC(nullptr);
    ASSERT_EQ(GetDeviceCaps(screen, HORZRES), 1024) << "the tests expect a 1024 x 768 screen";
    ASSERT_EQ(GetDeviceCaps(screen, VERTRES), 768);
    ReleaseDC(nullptr, screen);

    SmVentana* w = Dialog("OrvNet", 650, 445);
    EXPECT_EQ(w->left, 187);
    EXPECT_EQ(w->top, 162);
    EXPECT_EQ(w->width, 650);
    EXPECT_EQ(w->height, 445);
    RECT rect{};
    GetWindowRect(w->handle, &rect);
    EXPECT_EQ(rect.left, 187);
    EXPECT_EQ(rect.top, 162);
    EXPECT_EQ(rect.right - rect.left, 650);
    EXPECT_EQ(rect.bottom - rect.top, 445);
    // Each half is truncated on its own: 1024/2 - 651/2 = 512 - 325.
    EXPECT_EQ(Dialog("Impar", 651, 447)->left, 187);
}

TEST_F(WindowTest, TitleKeepsAtMost254CharactersWhileTheCaptionGetsAll) {
    std::string longTitle = Repeat('t', 300);
    SmVentana* w = Dialog(longTitle.c_str());
    EXPECT_EQ(std::strlen(w->title), 254u);
    EXPECT_EQ(GetWindowTextLengthA(w->handle), 300);

    std::string other = Repeat('s', 260);
    EXPECT_EQ(w->SetTitle(other.c_str()), w->title);
    EXPECT_EQ(std::string(w->title), Repeat('s', 254));
    EXPECT_EQ(GetWindowTextLengthA(w->handle), 260);

    w->SetTitle("Corto");
    char caption[16] = {};
    GetWindowTextA(w->handle, caption, sizeof caption);
    EXPECT_STREQ(caption, "Corto");
    EXPECT_STREQ(w->title, "Corto");
}

// Geometry setters store and move; queries read the outer rectangle back.
TEST_F(WindowTest, GeometrySettersMoveAndQueriesReadBack) {
    SmVentana* w = Screen();
    w->SetBounds(100, 120, 400, 300);
    RECT rect{};
    GetWindowRect(w->handle, &rect);
    EXPECT_EQ(rect.left, 100);
    EXPECT_EQ(rect.top, 120);
    EXPECT_EQ(rect.right - rect.left, 400);
    EXPECT_EQ(rect.bottom - rect.top, 300);

    EXPECT_EQ(w->left, 100);
    EXPECT_EQ(w->width, 400);
    EXPECT_EQ(w->height, 300);

    // Each setter changes one value: the client size that WM_SIZE leaves in
    // width and height must not shrink the window on the next setter.
    EXPECT_EQ(w->SetLeft(50), 50);
    EXPECT_EQ(w->SetTop(60), 60);
    EXPECT_EQ(w->SetWidth(350), 350);
    EXPECT_EQ(w->SetHeight(250), 250);
    GetWindowRect(w->handle, &rect);
    EXPECT_EQ(rect.left, 50);
    EXPECT_EQ(rect.top, 60);
    EXPECT_EQ(rect.right, 400);
    EXPECT_EQ(rect.bottom, 310);
    EXPECT_EQ(w->width, 350);
    EXPECT_EQ(w->height, 250);

    MoveWindow(w->handle, 10, 20, 300, 200, TRUE);
    w->width = w->height = w->left = w->top = 0;
    EXPECT_EQ(w->Left(), 10);
    EXPECT_EQ(w->Top(), 20);
    EXPECT_EQ(w->Width(), 300);
    EXPECT_EQ(w->Height(), 200);
    EXPECT_EQ(w->left, 10);
    EXPECT_EQ(w->top, 20);
    EXPECT_EQ(w->width, 300);
    EXPECT_EQ(w->height, 200);
}

struct ShowCase {
    const char* name;
    void (SmVentana::*show)();
    bool iconic;
    bool zoomed;
};

TEST_F(WindowTest, ShowOperationsSetTheShowState) {
    const ShowCase cases[] = {
        {"minimized", &SmVentana::ShowMinimized, true, false},
        {"maximized", &SmVentana::ShowMaximized, false, true},
        {"normal", &SmVentana::ShowNormal, false, false},
    };
    for (const ShowCase& c : cases) {
        SCOPED_TRACE(c.name);
        SmVentana* w = Screen();
        (w->*c.show)();
        EXPECT_TRUE(IsWindowVisible(w->handle));
        EXPECT_EQ(IsIconic(w->handle) != 0, c.iconic);
        EXPECT_EQ(IsZoomed(w->handle) != 0, c.zoomed);
    }
}

struct CursorCase {
    const char* name;
    void (SmVentana::*set)();
    LPCSTR cursor;
};

// The cursor belongs to the class: every window of it changes, the other
// class does not.
TEST_F(WindowTest, CursorSettersChangeTheClassCursor) {
    const CursorCase cases[] = {
        {"hand", &SmVentana::SetCursorHand, IDC_HAND},
        {"help", &SmVentana::SetCursorHelp, IDC_HELP},
        {"ibeam", &SmVentana::SetCursorIBeam, IDC_IBEAM},
        {"appstarting", &SmVentana::SetCursorAppStarting, IDC_APPSTARTING},
        {"cross", &SmVentana::SetCursorCross, IDC_CROSS},
        {"wait", &SmVentana::SetCursorWait, IDC_WAIT},
        {"sizens", &SmVentana::SetCursorSizeNS, IDC_SIZENS},
        {"sizewe", &SmVentana::SetCursorSizeWE, IDC_SIZEWE},
        {"uparrow", &SmVentana::SetCursorUpArrow, IDC_UPARROW},
        {"sizeall", &SmVentana::SetCursorSizeAll, IDC_SIZEALL},
        {"no", &SmVentana::SetCursorNo, IDC_NO},
        {"arrow", &SmVentana::SetCursorArrow, IDC_ARROW},
    };
    SmVentana* first = Dialog();
    SmVentana* second = Dialog();
    SmVentana* screen = Screen();
    HCURSOR screenCursor = reinterpret_cast<HCURSOR>(GetClassLongPtrA(screen->handle, GCLP_HCURSOR));
    for (const CursorCase& c : cases) {
        SCOPED_TRACE(c.name);
        HCURSOR expected = LoadCursorA(nullptr, c.cursor);
        ASSERT_NE(expected, nullptr);
        (first->*c.set)();
        EXPECT_EQ(first->cursor, expected);
        EXPECT_EQ(reinterpret_cast<HCURSOR>(GetClassLongPtrA(second->handle, GCLP_HCURSOR)), expected);
        EXPECT_EQ(reinterpret_cast<HCURSOR>(GetClassLongPtrA(screen->handle, GCLP_HCURSOR)),
                  screenCursor);
    }
}

// While RunModal loops, a thread timer looks at the window and then ends it.
SmVentana* looked = nullptr;
struct Seen {
    bool visible, iconic, zoomed, ownerEnabled;
    HWND focus;
} seen;

void CALLBACK LookAndDestroy(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    seen.visible = IsWindowVisible(looked->handle);
    seen.iconic = IsIconic(looked->handle);
    seen.zoomed = IsZoomed(looked->handle);
    seen.ownerEnabled = looked->owner != nullptr && IsWindowEnabled(looked->owner);
    seen.focus = GetFocus();
    looked->Destroy();
}

struct ModeCase {
    int mode;
    bool iconic;
    bool zoomed;
};

TEST_F(WindowTest, RunModalShowsByModeAndEndsWhenTheWindowIsDestroyed) {
    for (ModeCase c : {ModeCase{0, true, false}, ModeCase{1, false, false},
                       ModeCase{2, false, true}, ModeCase{5, false, false}}) {
        SCOPED_TRACE(c.mode);
        looked = Screen();
        seen = {};
        SetTimer(nullptr, 0, 10, LookAndDestroy);
        ASSERT_TRUE(RunModalGuarded(*looked, c.mode));
        EXPECT_TRUE(seen.visible);
        EXPECT_EQ(seen.iconic, c.iconic);
        EXPECT_EQ(seen.zoomed, c.zoomed);
        EXPECT_FALSE(IsWindow(looked->handle));
    }
}

TEST_F(WindowTest, RunModalFocusesTheFirstControl) {
    looked = Dialog();
    looked->AddLabel("Texto", 10, 10, 100, 20, 0);
    looked->AddBoton("Acepto", 10, 40, 80, 28, nullptr, nullptr);
    HWND first = looked->controls[1]->handle;
    HWND second = looked->controls[2]->handle;
    MessageHook hook;
    SetTimer(nullptr, 0, 10, LookAndDestroy);
    ASSERT_TRUE(RunModalGuarded(*looked, 1));
    // A window of another program on the same display may take the
    // activation, and with it the focus, before the timer looks; the focus
    // RunModal gave shows in the messages the controls got.
    EXPECT_FALSE(hook.To(first, WM_SETFOCUS).empty());
    EXPECT_TRUE(hook.To(second, WM_SETFOCUS).empty());
    if (seen.focus != nullptr) {
        EXPECT_EQ(seen.focus, first);
    }
}

TEST_F(WindowTest, ClosingThroughTheCaptionEndsTheLoopWithoutHandlers) {
    SmVentana* w = Dialog();
    PostMessageA(w->handle, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(RunModalGuarded(*w, 1));
    EXPECT_FALSE(IsWindow(w->handle));
}

TEST_F(WindowTest, OwnerIsDisabledDuringRunModalAndActivatedAtDeletion) {
    SmVentana* owner = Screen("Dueño");
    owner->ShowNormal();
    looked = Dialog("Hija", 300, 200, owner);
    SetTimer(nullptr, 0, 10, LookAndDestroy);
    ASSERT_TRUE(RunModalGuarded(*looked, 1));
    EXPECT_FALSE(seen.ownerEnabled);
    EXPECT_TRUE(IsWindowEnabled(owner->handle));

    SmVentana* other = Screen("Otra");
    other->ShowNormal();
    SetActiveWindow(other->handle);
    ASSERT_EQ(GetActiveWindow(), other->handle);
    Release(looked);
    delete looked;
    EXPECT_EQ(GetActiveWindow(), owner->handle);
}

// Counts deletions of control objects of every kind.
int deletions = 0;
template <class Kind>
struct Counted : Kind {
    using Kind::Kind;
    ~Counted() override { ++deletions; }
};

template <class Kind, class... Extra>
HWND PlaceCounted(SmVentana& w, const char* systemClass, Extra... extra) {
    return Place<Counted<Kind>>(w, ControlStyle{systemClass, 0, WS_CHILD | WS_VISIBLE, true},
                                extra...)
        ->handle;
}

// The window deletes every control it holds, not only its buttons: nothing
// else does, and the caller must not.
TEST_F(WindowTest, DeletionDeletesEveryControlAlsoAfterTheSystemWindowIsGone) {
    for (bool destroyedFirst : {false, true}) {
        SCOPED_TRACE(destroyedFirst ? "system window destroyed first" : "live window");
        deletions = 0;
        SmVentana* w = Dialog();
        HWND children[] = {
            PlaceCounted<Boton>(*w, "BUTTON", "b"),
            PlaceCounted<Label>(*w, "STATIC", "l"),
            PlaceCounted<Image>(*w, "STATIC"),
            PlaceCounted<Progress>(*w, PROGRESS_CLASSA),
        };
        if (destroyedFirst) {
            EXPECT_TRUE(w->Destroy());
            EXPECT_TRUE(TakeQuitMessage());
        }
        Release(w);
        delete w;
        EXPECT_EQ(deletions, 4);
        for (HWND child : children) EXPECT_FALSE(IsWindow(child));
    }
}

}  // namespace
