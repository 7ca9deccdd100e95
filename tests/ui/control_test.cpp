// The four kinds of the consent screen: their factories, the operations
// every control has, and the Progress and Boton specifics.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>

#include "support/call_log.h"
#include "support/factory_check.h"
#include "support/message_hook.h"
#include "ui/controls/boton.h"
#include "ui/controls/image.h"
#include "ui/controls/label.h"
#include "ui/controls/progress.h"
#include "ui/procedures.h"
#include "support/ui_fixture.h"

namespace {

using ControlTest = ShownDialogTest;

TEST_F(ControlTest, FactoriesCreateEachKindWithItsClassAndStyle) {
    CheckFactories(*window, {
        {"image", [](SmVentana& w) { return w.AddImage("B", 0, 0, 100, 100); }, KindImage, "Static",
         WS_EX_CONTROLPARENT, 0x5000010E, false, ""},
        {"label", [](SmVentana& w) { return w.AddLabel("Hola", 10, 145, 200, 16, 0); }, KindLabel,
         "Static", WS_EX_CONTROLPARENT, 0x5000010B, true, "Hola"},
        {"progress", [](SmVentana& w) { return w.AddProgress(10, 300, 300, 20); }, KindProgress,
         PROGRESS_CLASSA, WS_EX_CLIENTEDGE, 0x50000001, true, ""},
        {"boton", [](SmVentana& w) { return w.AddBoton("Acepto", 455, 350, 80, 28, nullptr, nullptr); },
         KindBoton, "Button", WS_EX_CONTROLPARENT, 0x50014008, true, "Acepto"},
    });
}

// The installer's banner: the control takes the bitmap's own size.
TEST_F(ControlTest, ImageTakesTheBitmapsSize) {
    Image* image = window->AddImage("B", 0, 0, 100, 100);
    EXPECT_NE(SendMessageA(image->handle, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
    EXPECT_EQ(image->Width(), 650);
    EXPECT_EQ(image->Height(), 138);
}

TEST_F(ControlTest, LabelAlignmentsAllGiveTheSameStyle) {
    for (int alignment : {0, 1, 2}) {
        MessageHook hook;
        Label* label = window->AddLabel("Texto", 10, 10 + 20 * alignment, 100, 16, alignment);
        auto created = hook.To(label->handle, WM_NCCREATE);
        ASSERT_EQ(created.size(), 1u);
        EXPECT_EQ(created[0].createStyle, 0x5000010Bu) << alignment;
    }
}

// Ids run 1 to 99; the table has no room for a 100th control, and a factory
// asked for one fails without touching the table.
TEST_F(ControlTest, NinetyNineControlsFitAndTheHundredthIsRefused) {
    for (int i = 1; i <= 99; ++i) {
        Label* label = window->AddLabel("x", 0, 0, 5, 5, 0);
        ASSERT_NE(label, nullptr);
        ASSERT_EQ(label->id, i);
        ASSERT_EQ(window->controls[i], label);
        ASSERT_EQ(GetDlgCtrlID(label->handle), i);
    }
    SmControl* last = window->controls[99];
    EXPECT_EQ(window->AddImage("B", 0, 0, 5, 5), nullptr);
    EXPECT_EQ(window->AddLabel("x", 0, 0, 5, 5, 0), nullptr);
    EXPECT_EQ(window->AddProgress(0, 0, 5, 5), nullptr);
    EXPECT_EQ(window->AddBoton("x", 0, 0, 5, 5, nullptr, nullptr), nullptr);
    EXPECT_EQ(window->count, 99);
    EXPECT_EQ(window->controls[99], last);
}

// The object keeps at most 149 characters; the window shows the whole text.
TEST_F(ControlTest, TextCopiesAreBoundedAt149Characters) {
    std::string longText = Repeat('a', 200);
    Label* label = window->AddLabel(longText.c_str(), 0, 0, 100, 16, 0);
    EXPECT_EQ(std::string(label->text), Repeat('a', 149));
    EXPECT_EQ(GetWindowTextLengthA(label->handle), 200);

    Boton* boton = window->AddBoton(longText.c_str(), 0, 20, 80, 28, nullptr, nullptr);
    EXPECT_EQ(std::strlen(boton->text), 149u);

    std::string other = Repeat('b', 200);
    EXPECT_EQ(label->SetText(other.c_str()), label->text);
    EXPECT_EQ(std::string(label->text), Repeat('b', 149));
    EXPECT_EQ(GetWindowTextLengthA(label->handle), 200);

    SetWindowTextA(label->handle, Repeat('c', 200).c_str());
    EXPECT_EQ(std::string(label->Text()), Repeat('c', 149));

    label->SetText("Copiando archivos...");
    EXPECT_STREQ(label->Text(), "Copiando archivos...");
}

// A label's text is painted over what the window shows; a shorter text must
// not leave the tail of the longer one on screen.
TEST_F(ControlTest, ShorterLabelTextLeavesNothingOfTheLongerOne) {
    Label* label = window->AddLabel(Repeat('W', 20).c_str(), 10, 10, 400, 16, 0);
    SetForegroundWindow(window->handle);
    UpdateWindow(window->handle);
    PumpWaiting();
    label->SetText("W");
    UpdateWindow(window->handle);
    PumpWaiting();

    HDC dc = GetDC(label->handle);
    const COLORREF background = GetPixel(dc, 395, 8);
    int marked = 0;
    for (int y = 0; y < 16; ++y) {
        for (int x = 40; x < 300; ++x) {
            if (GetPixel(dc, x, y) != background) ++marked;
        }
    }
    ReleaseDC(label->handle, dc);
    EXPECT_EQ(marked, 0) << "pixels of the old text still on screen";
}

TEST_F(ControlTest, ProgressRecordsItsRangeAndSendsItIn16Bits) {
    Progress* bar = window->AddProgress(10, 300, 300, 20);
    EXPECT_EQ(bar->minimum, 0);
    EXPECT_EQ(bar->maximum, 0);
    PBRANGE range{};

    EXPECT_EQ(bar->SetMaximum(70000), 70000);
    EXPECT_EQ(bar->maximum, 70000);
    SendMessageA(bar->handle, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    EXPECT_EQ(range.iLow, 0);
    EXPECT_EQ(range.iHigh, 4464);

    // Each setter sends both bounds again.
    EXPECT_EQ(bar->SetMinimum(5), 5);
    SendMessageA(bar->handle, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    EXPECT_EQ(range.iLow, 5);
    EXPECT_EQ(range.iHigh, 4464);

    bar->SetMaximum(25131);
    SendMessageA(bar->handle, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    EXPECT_EQ(range.iLow, 5);
    EXPECT_EQ(range.iHigh, 25131);
}

TEST_F(ControlTest, SetPositionReturnsItsArgument) {
    Progress* bar = window->AddProgress(10, 300, 300, 20);
    bar->SetMaximum(100);
    bar->SetPosition(50);
    EXPECT_EQ(bar->SetPosition(7), 7);
    EXPECT_EQ(bar->Position(), 7);
    EXPECT_EQ(SendMessageA(bar->handle, PBM_GETPOS, 0, 0), 7);
}

// Queries answer in screen coordinates, not the client ones SetBounds takes.
TEST_F(ControlTest, GeometryQueriesAnswerInScreenCoordinates) {
    Label* label = window->AddLabel("Ruta", 0, 0, 10, 10, 0);
    label->SetBounds(30, 40, 120, 18);
    EXPECT_EQ(label->left, 30);
    EXPECT_EQ(label->top, 40);
    POINT origin{0, 0};
    ClientToScreen(window->handle, &origin);
    ASSERT_NE(origin.x, 0);
    EXPECT_EQ(label->Left(), origin.x + 30);
    EXPECT_EQ(label->left, origin.x + 30);
    EXPECT_EQ(label->Top(), origin.y + 40);
    EXPECT_EQ(label->top, origin.y + 40);
    EXPECT_EQ(label->Width(), 120);
    EXPECT_EQ(label->Height(), 18);
}

TEST_F(ControlTest, EnableReturnsItsFlagAndLeavesTheButtonClickable) {
    Boton* boton = window->AddBoton("Acepto", 455, 350, 80, 28, nullptr, nullptr);
    RecordControlSlots(*boton);
    EXPECT_FALSE(boton->Enable(false));
    EXPECT_FALSE(IsWindowEnabled(boton->handle));
    EXPECT_TRUE(boton->Enable(true));
    EXPECT_TRUE(IsWindowEnabled(boton->handle));
    calls.clear();
    SendMessageA(boton->handle, BM_CLICK, 0, 0);
    EXPECT_NE(std::find(calls.begin(), calls.end(), Call{"on_click", {boton->id, BN_CLICKED, 0}}),
              calls.end());
}

// The installer binds handlers without arguments.
bool acceptClicked = false;
void AcceptClicked() { acceptClicked = true; }

TEST_F(ControlTest, ClickRunsAHandlerWithoutArguments) {
    Boton* boton = window->AddBoton("Acepto", 455, 350, 80, 28, nullptr, nullptr);
    boton->on_click = AcceptClicked;
    SendMessageA(boton->handle, BM_CLICK, 0, 0);
    EXPECT_TRUE(acceptClicked);
}

TEST_F(ControlTest, VisibilityAndFocus) {
    Boton* first = window->AddBoton("Uno", 10, 10, 80, 28, nullptr, nullptr);
    Boton* second = window->AddBoton("Dos", 100, 10, 80, 28, nullptr, nullptr);
    EXPECT_TRUE(first->IsVisible());
    EXPECT_FALSE(first->SetVisible(false));
    EXPECT_FALSE(first->IsVisible());
    EXPECT_FALSE(IsWindowVisible(first->handle));
    EXPECT_TRUE(first->SetVisible(true));
    EXPECT_TRUE(first->IsVisible());
    EXPECT_TRUE(IsWindowVisible(first->handle));

    SetFocus(first->handle);
    EXPECT_EQ(second->Focus(), first->handle);
    EXPECT_EQ(GetFocus(), second->handle);
}

struct ImageCase {
    const char* name;
    bool bitmap;
    bool icon;
    DWORD style;
    std::vector<WPARAM> images;  // BM_SETIMAGE kinds, in order
};

TEST_F(ControlTest, BotonImagesSetItsStyleAndReachTheButton) {
    HBITMAP bitmap = CreateBitmap(16, 16, 1, 32, nullptr);
    HICON icon = LoadIconA(nullptr, IDI_APPLICATION);
    const ImageCase cases[] = {
        {"none", false, false, 0x50014008, {}},
        {"bitmap", true, false, 0x50014088, {IMAGE_BITMAP}},
        {"icon", false, true, 0x50014048, {IMAGE_ICON}},
        {"both", true, true, 0x50014088, {IMAGE_BITMAP, IMAGE_ICON}},
    };
    for (const ImageCase& c : cases) {
        SCOPED_TRACE(c.name);
        MessageHook hook;
        Boton* boton = window->AddBoton("Imagen", 10, 10, 80, 28, c.bitmap ? bitmap : nullptr,
                                        c.icon ? icon : nullptr);
        auto created = hook.To(boton->handle, WM_NCCREATE);
        ASSERT_EQ(created.size(), 1u);
        EXPECT_EQ(created[0].createStyle, c.style);
        std::vector<WPARAM> kinds;
        for (const auto& sent : hook.To(boton->handle, BM_SETIMAGE)) {
            kinds.push_back(sent.wParam);
            EXPECT_EQ(sent.lParam, sent.wParam == IMAGE_BITMAP ? reinterpret_cast<LPARAM>(bitmap)
                                                               : reinterpret_cast<LPARAM>(icon));
        }
        EXPECT_EQ(kinds, c.images);
        // The images come before the font.
        if (!c.images.empty()) {
            EXPECT_LT(hook.IndexOf(boton->handle, BM_SETIMAGE), hook.IndexOf(boton->handle, WM_SETFONT));
        }
    }
    DeleteObject(bitmap);
}

}  // namespace
