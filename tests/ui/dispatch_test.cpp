// ScreenProc and ControlProc: which message raises which handler with which
// arguments, what reaches default processing, and the Tab walk.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>

#include "support/call_log.h"
#include "support/message_hook.h"
#include "ui/controls/boton.h"
#include "ui/controls/image.h"
#include "ui/controls/label.h"
#include "ui/controls/progress.h"
#include "ui/controls/status.h"
#include "ui/controls/tool.h"
#include "support/ui_fixture.h"

namespace {

// Stands in for the class procedure behind ScreenProc, to see what reaches
// default processing.
std::vector<UINT> passedOn;
LRESULT CALLBACK RecordPassedOn(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    passedOn.push_back(message);
    return DefWindowProcA(window, message, wParam, lParam);
}

class DispatchTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        calls.clear();
        passedOn.clear();
        window = Dialog();
        classProc = PreviousWindowProc;
        PreviousWindowProc = RecordPassedOn;
    }
    void TearDown() override {
        PreviousWindowProc = classProc;
        UiTest::TearDown();
    }

    SmVentana* window = nullptr;
    WNDPROC classProc = nullptr;
};

struct MessageCase {
    const char* name;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    std::vector<Call> raised;  // with every slot bound
    bool passedOn;             // reaches the class procedure
};

const MessageCase kWindowMessages[] = {
    {"mouse move", WM_MOUSEMOVE, 0, MAKELPARAM(0x34, 0x12), {{"on_mouse_move", {0x34, 0x12}}}, false},
    {"mouse move, coordinates unsigned", WM_MOUSEMOVE, 0, MAKELPARAM(-1, -2),
     {{"on_mouse_move", {65535, 65534}}}, false},
    {"left down", WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 6), {{"on_mouse_down", {1, 5, 6}}}, false},
    {"left up, then click", WM_LBUTTONUP, 0, MAKELPARAM(5, 6),
     {{"on_mouse_up", {1, 5, 6}}, {"on_click", {}}}, false},
    {"right down", WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(7, 8), {{"on_mouse_down", {2, 7, 8}}}, false},
    {"right up", WM_RBUTTONUP, 0, MAKELPARAM(7, 8), {{"on_mouse_up", {2, 7, 8}}}, false},
    {"double click", WM_LBUTTONDBLCLK, MK_LBUTTON, 0, {{"on_double_click", {}}}, false},
    {"wheel toward the user", WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0, {{"on_wheel", {1}}}, false},
    {"wheel away", WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0, {{"on_wheel", {0}}}, false},
    {"key down", WM_KEYDOWN, 'A', 0, {{"on_key_down", {'A'}}}, false},
    {"key up", WM_KEYUP, VK_F5, 0, {{"on_key_up", {VK_F5}}}, false},
    {"show", WM_SHOWWINDOW, TRUE, 0, {{"on_show", {}}}, false},
    {"activate", WM_ACTIVATE, WA_ACTIVE, 0, {{"on_activate", {}}}, false},
    {"deactivate", WM_ACTIVATE, WA_INACTIVE, 0, {}, false},
    {"menu command 500, any sender", WM_COMMAND, 500, 0x1234, {{"on_menu", {500}}}, false},
    {"menu command 599", WM_COMMAND, MAKEWPARAM(599, 1), 0, {{"on_menu", {599}}}, false},
    {"command 600 from a menu", WM_COMMAND, 600, 0, {}, false},
    {"character", WM_CHAR, 'a', 0, {}, true},
    {"set text", WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Nuevo"), {}, true},
};

TEST_F(DispatchTest, WindowMessagesRaiseTheirHandlers) {
    for (bool bound : {true, false}) {
        for (const MessageCase& c : kWindowMessages) {
            SCOPED_TRACE(std::string(c.name) + (bound ? ", handlers bound" : ", no handlers"));
            if (bound) RecordWindowSlots(*window);
            calls.clear();
            passedOn.clear();
            LRESULT result = SendMessageA(window->handle, c.message, c.wParam, c.lParam);
            EXPECT_EQ(calls, bound ? c.raised : std::vector<Call>{});
            EXPECT_EQ(!passedOn.empty() && passedOn[0] == c.message, c.passedOn);
            if (!c.passedOn) {
                EXPECT_EQ(result, 0);
            }
        }
        window = Dialog();
        PreviousWindowProc = RecordPassedOn;  // each creation sets it again
    }
}

TEST_F(DispatchTest, SizeStoresTheClientSizeBeforeOnSizeAndResizesBars) {
    static SmVentana* seenBy;
    static int widthSeen, heightSeen;
    seenBy = window;
    window->on_size = +[] {
        widthSeen = seenBy->width;
        heightSeen = seenBy->height;
    };
    Status* status = Place<Status>(*window, {STATUSCLASSNAMEA, 0, WS_CHILD | WS_VISIBLE, true});
    Tool* tool = Place<Tool>(*window, {TOOLBARCLASSNAMEA, 0, WS_CHILD | WS_VISIBLE, true});
    MessageHook hook;
    SendMessageA(window->handle, WM_SIZE, SIZE_RESTORED, MAKELPARAM(321, 123));
    EXPECT_EQ(window->width, 321);
    EXPECT_EQ(window->height, 123);
    EXPECT_EQ(widthSeen, 321);
    EXPECT_EQ(heightSeen, 123);
    auto statusSizes = hook.To(status->handle, WM_SIZE);
    ASSERT_EQ(statusSizes.size(), 1u);
    EXPECT_EQ(statusSizes[0].wParam, 0u);
    EXPECT_EQ(statusSizes[0].lParam, 0);
    EXPECT_EQ(hook.To(tool->handle, TB_AUTOSIZE).size(), 1u);
}

TEST_F(DispatchTest, PaintHandsTheHandlerThePaintContextAndEndsPainting) {
    RecordWindowSlots(*window);
    window->ShowNormal();
    InvalidateRect(window->handle, nullptr, TRUE);
    calls.clear();
    UpdateWindow(window->handle);
    EXPECT_EQ(calls, (std::vector<Call>{{"on_paint", {1}}}));
    EXPECT_FALSE(GetUpdateRect(window->handle, nullptr, FALSE));
}

TEST_F(DispatchTest, OwnerDrawnItemsReachTheirHandlers) {
    RecordWindowSlots(*window);
    HDC dc = GetDC(window->handle);
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_LISTBOX;
    draw.itemID = 4;
    draw.hDC = dc;
    draw.rcItem = {9, 0, 50, 16};
    draw.itemAction = ODA_DRAWENTIRE;
    draw.itemState = ODS_SELECTED;
    SendMessageA(window->handle, WM_DRAWITEM, 1, reinterpret_cast<LPARAM>(&draw));
    MEASUREITEMSTRUCT measure{};
    measure.itemID = 6;
    SendMessageA(window->handle, WM_MEASUREITEM, 1, reinterpret_cast<LPARAM>(&measure));
    ReleaseDC(window->handle, dc);

    std::vector<Call> expected = {
        {"on_draw_item", {4, reinterpret_cast<std::intptr_t>(dc), 9, ODA_DRAWENTIRE, ODS_SELECTED}},
        {"on_measure_item", {6}},
    };
    EXPECT_EQ(calls, expected);
    EXPECT_EQ(measure.itemWidth, 33u);
    EXPECT_EQ(measure.itemHeight, 44u);
}

TEST_F(DispatchTest, DestructionCallsOnDestroyAndPostsQuit) {
    RecordWindowSlots(*window);
    calls.clear();
    EXPECT_TRUE(window->Destroy());
    EXPECT_EQ(calls, (std::vector<Call>{{"on_destroy", {}}}));
    EXPECT_TRUE(TakeQuitMessage());
    EXPECT_FALSE(window->Destroy());  // already gone
}

// No exception crosses back into the system, and what follows the handler
// still happens.
TEST_F(DispatchTest, HandlerExceptionsStopInTheProcedures) {
    window->on_destroy = +[] { throw std::runtime_error("on_destroy"); };
    Boton* boton = window->AddBoton("Acepto", 10, 10, 80, 28, nullptr, nullptr);
    boton->on_click = +[] { throw std::runtime_error("on_click"); };
    boton->on_mouse_down = +[] { throw std::runtime_error("on_mouse_down"); };
    window->ShowNormal();

    SendMessageA(boton->handle, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(GetCapture(), boton->handle);  // the button still saw the press
    SendMessageA(boton->handle, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    SendMessageA(boton->handle, BM_CLICK, 0, 0);
    EXPECT_TRUE(window->Destroy());
    EXPECT_TRUE(TakeQuitMessage());
}

TEST_F(DispatchTest, TooltipTextComesFromTheProgramsStrings) {
    NMTTDISPINFOA request{};
    request.hdr.code = TTN_GETDISPINFOA;
    request.hdr.idFrom = 201;
    SendMessageA(window->handle, WM_NOTIFY, 201, reinterpret_cast<LPARAM>(&request));
    ASSERT_NE(request.lpszText, nullptr);
    EXPECT_STREQ(request.lpszText, "Abrir archivo");  // still readable after the return

    request.lpszText = nullptr;
    request.hdr.idFrom = 299;  // no such string
    SendMessageA(window->handle, WM_NOTIFY, 299, reinterpret_cast<LPARAM>(&request));
    ASSERT_NE(request.lpszText, nullptr);
    EXPECT_STREQ(request.lpszText, "");

    request.lpszText = nullptr;
    request.hdr.code = TTN_SHOW;
    SendMessageA(window->handle, WM_NOTIFY, 201, reinterpret_cast<LPARAM>(&request));
    EXPECT_EQ(request.lpszText, nullptr);
}

struct RawInputCase {
    const char* name;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    std::vector<Call> raised;
};

// ControlProc reports raw input and then always hands the message on.
TEST_F(DispatchTest, ControlProcReportsRawInputAndPassesItOn) {
    Label* label = window->AddLabel("Etiqueta", 10, 10, 100, 20, 0);
    RecordControlSlots(*label);
    const RawInputCase cases[] = {
        {"move", WM_MOUSEMOVE, 0, MAKELPARAM(3, 4), {{"on_mouse_move", {3, 4}}}},
        {"left down", WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 4), {{"on_mouse_down", {1, 3, 4}}}},
        {"left up", WM_LBUTTONUP, 0, MAKELPARAM(3, 4), {{"on_mouse_up", {1, 3, 4}}}},
        {"right down", WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(65535, 4), {{"on_mouse_down", {2, 65535, 4}}}},
        {"right up", WM_RBUTTONUP, 0, MAKELPARAM(3, 4), {{"on_mouse_up", {2, 3, 4}}}},
        {"key down", WM_KEYDOWN, 'Q', 0, {{"on_key_down", {'Q'}}}},
        {"key up", WM_KEYUP, 'Q', 0, {{"on_key_up", {'Q'}}}},
        {"double click", WM_LBUTTONDBLCLK, MK_LBUTTON, 0,
         {{"on_double_click", {label->id, WM_LBUTTONDBLCLK, 0}}}},
    };
    for (const RawInputCase& c : cases) {
        SCOPED_TRACE(c.name);
        calls.clear();
        SendMessageA(label->handle, c.message, c.wParam, c.lParam);
        EXPECT_EQ(calls, c.raised);
    }
    // Handled or not, the static's own procedure still gets the message.
    SendMessageA(label->handle, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Otra"));
    EXPECT_STREQ(label->Text(), "Otra");
    Boton* boton = window->AddBoton("Acepto", 10, 40, 80, 28, nullptr, nullptr);
    RecordControlSlots(*boton);
    window->ShowNormal();
    calls.clear();
    SendMessageA(boton->handle, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(boton->handle, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(calls.front(), (Call{"on_mouse_down", {1, 5, 5}}));
    EXPECT_NE(std::find(calls.begin(), calls.end(), Call{"on_click", {boton->id, BN_CLICKED, 0}}),
              calls.end());
}

// The consent screen's layout: Image, two Labels, Progress, two Botones and
// a last Label.
class TabWalkTest : public DispatchTest {
protected:
    void SetUp() override {
        DispatchTest::SetUp();
        window->AddImage("B", 0, 0, 100, 100);
        window->AddLabel("Uno", 10, 145, 300, 16, 0);
        window->AddLabel("Dos", 10, 165, 300, 16, 1);
        window->AddProgress(10, 300, 300, 20);
        window->AddBoton("Acepto", 455, 350, 80, 28, nullptr, nullptr);
        window->AddBoton("Salir", 540, 350, 80, 28, nullptr, nullptr);
        window->AddLabel("Ruta", 10, 400, 300, 16, 2);
        window->ShowNormal();
    }
    HWND Slot(int slot) const { return window->controls[slot]->handle; }
};

TEST_F(TabWalkTest, TabMovesToTheNextInputControlOrBackToSlotOne) {
    const struct {
        int from;
        int to;
    } steps[] = {{5, 6}, {6, 1}, {1, 5}, {2, 5}, {7, 1}};
    for (auto step : steps) {
        SCOPED_TRACE(step.from);
        SetFocus(Slot(step.from));
        ASSERT_EQ(GetFocus(), Slot(step.from));
        RecordControlSlots(*window->controls[step.from]);
        calls.clear();
        SendMessageA(Slot(step.from), WM_KEYDOWN, VK_TAB, 0);
        EXPECT_EQ(GetFocus(), Slot(step.to));
        EXPECT_NE(std::find(calls.begin(), calls.end(), Call{"on_key_down", {VK_TAB}}), calls.end());
    }
}

TEST_F(TabWalkTest, TabOnTheWindowFocusesSlotOne) {
    SetFocus(Slot(6));
    SendMessageA(window->handle, WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(GetFocus(), Slot(1));
}

}  // namespace
