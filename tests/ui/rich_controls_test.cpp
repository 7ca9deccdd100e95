// Date pickers, tabs, toolbars, status bars and trees on real windows:
// their operations, item numbering and the notifications the system
// controls send.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "support/call_log.h"
#include "support/message_hook.h"
#include "ui/controls/calendar.h"
#include "ui/controls/status.h"
#include "ui/controls/tab.h"
#include "ui/controls/tool.h"
#include "ui/controls/tree.h"
#include "support/ui_fixture.h"

namespace {

using RichControlTest = ShownDialogTest;

bool Contains(const std::vector<Call>& log, const Call& call) {
    return std::find(log.begin(), log.end(), call) != log.end();
}

LPARAM Centre(const RECT& rect) {
    return MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

// --- Calendar

SYSTEMTIME PickerTime(HWND picker) {
    SYSTEMTIME time{};
    SendMessageA(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time));
    return time;
}

struct DateCase {
    const char* text;
    int day, month, year;  // expected; the start is 7/12/2026 13:45:30
};

TEST_F(RichControlTest, SetDateSetsTheTextsPartsAndKeepsTheRest) {
    const DateCase cases[] = {
        {"25/12/2024", 25, 12, 2024},
        {"2024", 7, 12, 2024},  // a year alone
        {"1/2/3/2024", 1, 2, 2024},  // a third segment is dropped
        {"3/4/", 0, 0, 0},  // an empty year is 0, which the picker refuses
        {" 9/ 10/ 2030", 9, 10, 2030},  // blanks before a number
        // Segments keep 14 characters: 14 digits give 25, 15 give 2.
        {"00000000000025/12/2024", 25, 12, 2024},
        {"000000000000025/12/2024", 2, 12, 2024},
    };
    Calendar* calendar = window->AddCalendar(10, 10, 150, 24);
    for (const DateCase& c : cases) {
        SCOPED_TRACE(c.text);
        SYSTEMTIME start{2026, 12, 1, 7, 13, 45, 30, 0};
        ASSERT_TRUE(SendMessageA(calendar->handle, DTM_SETSYSTEMTIME, GDT_VALID,
                                 reinterpret_cast<LPARAM>(&start)));
        EXPECT_EQ(calendar->SetDate(c.text), calendar->text);
        EXPECT_STREQ(calendar->text, c.text);
        SYSTEMTIME now = PickerTime(calendar->handle);
        if (c.year == 0) {  // refused: nothing changed
            EXPECT_EQ(now.wDay, 7);
            EXPECT_EQ(now.wYear, 2026);
            continue;
        }
        EXPECT_EQ(now.wDay, c.day);
        EXPECT_EQ(now.wMonth, c.month);
        EXPECT_EQ(now.wYear, c.year);
        EXPECT_EQ(now.wHour, 13);
        EXPECT_EQ(now.wMinute, 45);
        EXPECT_EQ(now.wSecond, 30);
        std::string expected = std::to_string(c.day) + "/" + std::to_string(c.month) + "/" +
                               std::to_string(c.year);
        EXPECT_EQ(std::string(calendar->Date()), expected);
    }
}

TEST_F(RichControlTest, DateHasNoLeadingZeros) {
    Calendar* calendar = window->AddCalendar(10, 10, 150, 24);
    calendar->SetDate("07/03/2026");
    EXPECT_STREQ(calendar->Date(), "7/3/2026");
}

// A text longer than `text` is cut at 149 characters before it is read.
TEST_F(RichControlTest, SetDateStaysWithinItsBuffers) {
    Calendar* calendar = window->AddCalendar(10, 10, 150, 24);
    calendar->SetDate("25/12/2024");
    std::string longText = "1/2/" + Repeat('7', 300);
    calendar->SetDate(longText.c_str());
    EXPECT_EQ(std::string(calendar->text), longText.substr(0, 149));
    SYSTEMTIME now = PickerTime(calendar->handle);
    // The year segment keeps 14 sevens, far beyond any year: refused.
    EXPECT_EQ(now.wYear, 2024);
    EXPECT_STREQ(calendar->Date(), "25/12/2024");
}

// --- Tab

TEST_F(RichControlTest, PagesAppearInCallOrder) {
    Tab* tab = window->AddTab(10, 10, 300, 150);
    RecordControlSlots(*tab);
    const char* captions[] = {"General", "Datos", "Red"};
    for (const char* caption : captions) tab->AddPage(caption);
    EXPECT_EQ(tab->pageCount, 3);
    ASSERT_EQ(SendMessageA(tab->handle, TCM_GETITEMCOUNT, 0, 0), 3);
    for (int i = 0; i < 3; ++i) {
        char caption[32] = {};
        TCITEMA page{};
        page.mask = TCIF_TEXT;
        page.pszText = caption;
        page.cchTextMax = sizeof caption;
        SendMessageA(tab->handle, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&page));
        EXPECT_STREQ(caption, captions[i]) << i;
    }
    EXPECT_EQ(tab->SelectPage(2), 0);
    EXPECT_EQ(tab->SelectPage(0), 2);
    EXPECT_EQ(tab->SelectedPage(), 0);

    // A click on another page: the tab control notifies the change.
    RECT second{};
    SendMessageA(tab->handle, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
    calls.clear();
    SendMessageA(tab->handle, WM_LBUTTONDOWN, MK_LBUTTON, Centre(second));
    SendMessageA(tab->handle, WM_LBUTTONUP, 0, Centre(second));
    EXPECT_EQ(tab->SelectedPage(), 1);
    EXPECT_TRUE(Contains(calls, {"on_select_change", {tab->id, static_cast<int>(TCN_SELCHANGE), 0}}));
}

// --- Tool

class ToolTest : public RichControlTest {
protected:
    // A button with a caption and image 0, a separator, a button without a
    // caption and image 1.
    Tool* ThreeButtons() {
        Tool* tool = window->AddTool(0, 16);
        tool->AddButton("Abrir", 0);
        tool->AddSeparator();
        tool->AddButton("", 1);
        tool->ShowButtons();
        return tool;
    }

    // The tooltip asks the toolbar for a button's text, and the toolbar asks
    // the window, which loads the string resource of the command identifier.
    std::string Tooltip(Tool* tool, int command) {
        HWND tip = reinterpret_cast<HWND>(SendMessageA(tool->handle, TB_GETTOOLTIPS, 0, 0));
        EXPECT_NE(tip, nullptr);
        char text[80] = {};
        TTTOOLINFOA info{};
        info.cbSize = sizeof info;
        info.hwnd = tool->handle;
        info.uId = static_cast<UINT_PTR>(command);
        info.lpszText = text;
        SendMessageA(tip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&info));
        return text;
    }
};

TEST_F(ToolTest, DescriptionsNumberTheButtonsFrom201) {
    Tool* tool = ThreeButtons();
    ASSERT_EQ(tool->buttonCount, 3);
    struct Expected {
        int image, command, style, data;
        bool hasString;
    };
    const Expected expected[] = {{0, 201, TBSTYLE_BUTTON, 0, true},
                                 {-1, 202, TBSTYLE_SEP, 1, false},
                                 {1, 203, TBSTYLE_BUTTON, 2, false}};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const TBBUTTON& b = tool->buttons[i];
        EXPECT_EQ(b.iBitmap, expected[i].image);
        EXPECT_EQ(b.idCommand, expected[i].command);
        EXPECT_EQ(b.fsState, TBSTATE_ENABLED);
        EXPECT_EQ(b.fsStyle, expected[i].style);
        EXPECT_EQ(b.dwData, static_cast<DWORD_PTR>(expected[i].data));
        TBBUTTON shown{};
        ASSERT_TRUE(SendMessageA(tool->handle, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&shown)));
        EXPECT_EQ(shown.idCommand, expected[i].command);
    }
    EXPECT_GE(tool->buttons[0].iString, 0);
    EXPECT_EQ(tool->buttons[1].iString, 0);
    EXPECT_EQ(tool->buttons[2].iString, -1);  // empty caption
    char caption[32] = {};
    SendMessageA(tool->handle, TB_GETBUTTONTEXTA, 201, reinterpret_cast<LPARAM>(caption));
    EXPECT_STREQ(caption, "Abrir");
}

TEST_F(ToolTest, PressingTheThirdButtonRaisesOnCommand3) {
    Tool* tool = ThreeButtons();
    RecordControlSlots(*tool);
    RECT third{};
    ASSERT_TRUE(SendMessageA(tool->handle, TB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&third)));
    calls.clear();
    SendMessageA(tool->handle, WM_LBUTTONDOWN, MK_LBUTTON, Centre(third));
    SendMessageA(tool->handle, WM_LBUTTONUP, 0, Centre(third));
    EXPECT_EQ(calls.size(), 3u);  // mouse down and up, then the command
    EXPECT_TRUE(Contains(calls, {"on_command", {3}}));
}

// Button 201 has a string resource; 203 has none and its tooltip is empty.
TEST_F(ToolTest, TooltipsComeFromStringResources) {
    Tool* tool = ThreeButtons();
    EXPECT_EQ(Tooltip(tool, 201), "Abrir archivo");
    EXPECT_EQ(Tooltip(tool, 203), "");
}

TEST_F(ToolTest, SetUpMessagesComeInOrder) {
    MessageHook hook;
    Tool* tool = window->AddTool(0, 24);
    auto sizes = hook.To(tool->handle, TB_BUTTONSTRUCTSIZE);
    ASSERT_EQ(sizes.size(), 1u);
    EXPECT_EQ(sizes[0].wParam, sizeof(TBBUTTON));
    auto bitmapSizes = hook.To(tool->handle, TB_SETBITMAPSIZE);
    ASSERT_EQ(bitmapSizes.size(), 1u);
    EXPECT_EQ(bitmapSizes[0].lParam, MAKELPARAM(24, 24));
    EXPECT_LT(hook.IndexOf(tool->handle, TB_BUTTONSTRUCTSIZE), hook.IndexOf(tool->handle, WM_SETFONT));
    EXPECT_LT(hook.IndexOf(tool->handle, WM_SETFONT), hook.IndexOf(tool->handle, TB_AUTOSIZE));
    EXPECT_LT(hook.IndexOf(tool->handle, TB_AUTOSIZE), hook.IndexOf(tool->handle, TB_SETBITMAPSIZE));
    // Along the top of the window (its border may lie just above the client
    // area), as wide as the client area.
    RECT client{}, bar{};
    GetClientRect(window->handle, &client);
    GetWindowRect(tool->handle, &bar);
    MapWindowPoints(nullptr, window->handle, reinterpret_cast<POINT*>(&bar), 2);
    EXPECT_LE(bar.top, 0);
    EXPECT_GE(bar.top, -2);
    EXPECT_GE(bar.right - bar.left, client.right - 2);
}

// Showing the buttons again hands the toolbar the same buttons, not a
// second copy of each; descriptions beyond 50 are refused.
TEST_F(ToolTest, ShowButtonsAgainAndTheFiftyDescriptionLimit) {
    Tool* tool = ThreeButtons();
    tool->AddButton("Cerrar", 2);
    tool->ShowButtons();
    EXPECT_EQ(SendMessageA(tool->handle, TB_BUTTONCOUNT, 0, 0), 4);
    while (tool->buttonCount < Tool::kMaxButtons) ASSERT_TRUE(tool->AddSeparator());
    EXPECT_FALSE(tool->AddSeparator());
    EXPECT_FALSE(tool->AddButton("de más", 0));
    EXPECT_EQ(tool->buttonCount, Tool::kMaxButtons);
    EXPECT_EQ(tool->buttons[Tool::kMaxButtons - 1].idCommand, 250);
}

// --- Status

TEST_F(RichControlTest, StatusHasThreePartsAGripAndStaysAtTheBottom) {
    Status* status = window->AddStatus();
    int edges[4] = {};
    ASSERT_EQ(SendMessageA(status->handle, SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges)), 3);
    EXPECT_EQ(edges[0], 200);
    EXPECT_EQ(edges[1], 400);
    EXPECT_EQ(edges[2], 600);
    EXPECT_NE(GetWindowLongA(status->handle, GWL_STYLE) & SBARS_SIZEGRIP, 0);

    auto bottomGap = [&] {
        RECT client{}, bar{};
        GetClientRect(window->handle, &client);
        GetWindowRect(status->handle, &bar);
        MapWindowPoints(nullptr, window->handle, reinterpret_cast<POINT*>(&bar), 2);
        return client.bottom - bar.bottom;
    };
    EXPECT_EQ(bottomGap(), 0);
    window->SetHeight(window->Height() + 80);
    EXPECT_EQ(bottomGap(), 0);
}

TEST_F(RichControlTest, StatusTextsGoToTheirParts) {
    Status* status = window->AddStatus();
    status->SetText("Listo");
    EXPECT_TRUE(status->SetPartText(1, "Copiando"));
    EXPECT_TRUE(status->SetPartText(2, "25 %"));
    EXPECT_FALSE(status->SetPartText(3, "fuera"));
    EXPECT_FALSE(status->SetPartText(-1, "fuera"));
    const char* expected[] = {"Listo", "Copiando", "25 %"};
    for (int part = 0; part < 3; ++part) {
        char text[32] = {};
        SendMessageA(status->handle, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(text));
        EXPECT_STREQ(text, expected[part]) << part;
    }
}

// --- Tree

class TreeTest : public RichControlTest {
protected:
    // A and B at the top, C under A.
    Tree* AbcTree() {
        Tree* tree = window->AddTree(10, 10, 200, 200);
        EXPECT_EQ(tree->AddItem("A", 0), 1);
        EXPECT_EQ(tree->AddItem("B", 0), 1);
        EXPECT_EQ(tree->AddItem("C", 1), 1);
        return tree;
    }

    static LPARAM Data(Tree* tree, HTREEITEM item) {
        TVITEMA record{};
        record.mask = TVIF_PARAM | TVIF_HANDLE;
        record.hItem = item;
        SendMessageA(tree->handle, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&record));
        return record.lParam;
    }

    static HTREEITEM Next(Tree* tree, UINT relation, HTREEITEM from) {
        return reinterpret_cast<HTREEITEM>(SendMessageA(tree->handle, TVM_GETNEXTITEM, relation,
                                                        reinterpret_cast<LPARAM>(from)));
    }
};

int notificationsAfterDeletion = 0;
void CountNotification(SmControl*, int, NMHDR*) { ++notificationsAfterDeletion; }
void CountSelection(int, int, int) { ++notificationsAfterDeletion; }

// A window deletes its controls before its own system window goes: each
// tree's system window is destroyed after the Tree part of its object is
// gone, and it still tells its parent about it (focus lost, the selection
// gone with its items). None of that may reach a handler with the object
// half destroyed.
TEST_F(TreeTest, ATreeBeingDestroyedReachesNoHandler) {
    Tree* tree = AbcTree();
    SendMessageA(tree->handle, TVM_SELECTITEM, TVGN_CARET,
                 reinterpret_cast<LPARAM>(Next(tree, TVGN_ROOT, nullptr)));
    SetFocus(tree->handle);
    tree->on_focus_lost = CountNotification;
    tree->on_focus_gained = CountNotification;
    tree->on_tree_select = CountSelection;
    notificationsAfterDeletion = 0;
    Release(window);
    delete window;
    window = nullptr;
    EXPECT_EQ(notificationsAfterDeletion, 0);
}

TEST_F(TreeTest, ItemsAreNumberedInOrderOfAddition) {
    Tree* tree = AbcTree();
    EXPECT_EQ(tree->ItemCount(), 3);
    ASSERT_EQ(tree->items.size(), 3u);
    EXPECT_TRUE(tree->populated);
    EXPECT_EQ(Data(tree, tree->items[0]), MAKELPARAM(1, 0));
    EXPECT_EQ(Data(tree, tree->items[1]), MAKELPARAM(2, 0));
    EXPECT_EQ(Data(tree, tree->items[2]), MAKELPARAM(3, 1));
    // Each item goes first among its siblings: B above A, C under A.
    EXPECT_EQ(Next(tree, TVGN_ROOT, nullptr), tree->items[1]);
    EXPECT_EQ(Next(tree, TVGN_NEXT, tree->items[1]), tree->items[0]);
    EXPECT_EQ(Next(tree, TVGN_PARENT, tree->items[2]), tree->items[0]);
    EXPECT_EQ(Next(tree, TVGN_CHILD, tree->items[0]), tree->items[2]);
}

TEST_F(TreeTest, SelectingCAfterBRaisesOldParentAndNewNumbers) {
    Tree* tree = AbcTree();
    RecordControlSlots(*tree);
    SendMessageA(tree->handle, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(tree->items[1]));
    calls.clear();
    SendMessageA(tree->handle, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(tree->items[2]));
    EXPECT_EQ(calls, (std::vector<Call>{{"on_tree_select", {2, 1, 3}}}));
}

TEST_F(TreeTest, ClearRestartsTheNumbering) {
    Tree* tree = AbcTree();
    tree->Clear();
    EXPECT_EQ(tree->ItemCount(), 0);
    EXPECT_TRUE(tree->items.empty());
    EXPECT_FALSE(tree->populated);
    EXPECT_EQ(tree->AddItem("D", 0), 1);
    EXPECT_EQ(Data(tree, tree->items[0]), MAKELPARAM(1, 0));
    EXPECT_EQ(tree->AddItem("E", 1), 1);
    EXPECT_EQ(Data(tree, tree->items[1]), MAKELPARAM(2, 1));
}

// The insertion checks the object's kind: a record whose kind says
// otherwise inserts nothing and answers the item count.
TEST_F(TreeTest, AddItemOnAnotherKindInsertsNothing) {
    Tree* tree = AbcTree();
    tree->kind = KindList;
    EXPECT_EQ(tree->AddItem("D", 0), 3);
    tree->kind = KindTree;
    EXPECT_EQ(tree->ItemCount(), 3);
    EXPECT_EQ(tree->items.size(), 3u);
    EXPECT_STREQ(tree->text, "D");
}

// A parent number that names no item is refused, not read past the list.
TEST_F(TreeTest, AParentThatIsNoItemIsRefused) {
    Tree* tree = AbcTree();
    for (int parent : {4, 99, -1}) {
        EXPECT_EQ(tree->AddItem("X", parent), 0) << parent;
    }
    EXPECT_EQ(tree->ItemCount(), 3);
    EXPECT_EQ(tree->items.size(), 3u);
    EXPECT_EQ(tree->AddItem("D", 3), 1);  // the last item is a valid parent
    EXPECT_EQ(Next(tree, TVGN_PARENT, tree->items[3]), tree->items[2]);
}

// --- Long texts

// Captions go through the control's `text`, which keeps 149 characters;
// the longest caption still ends the toolbar's one-string list properly.
TEST_F(RichControlTest, LongCaptionsAreCutAt149Characters) {
    std::string longText = Repeat('m', 200);
    std::string kept = Repeat('m', 149);

    Tab* tab = window->AddTab(10, 10, 300, 100);
    tab->AddPage(longText.c_str());
    EXPECT_EQ(std::string(tab->text), kept);
    char caption[300] = {};
    TCITEMA page{};
    page.mask = TCIF_TEXT;
    page.pszText = caption;
    page.cchTextMax = sizeof caption;
    SendMessageA(tab->handle, TCM_GETITEMA, 0, reinterpret_cast<LPARAM>(&page));
    EXPECT_EQ(std::string(caption), kept);

    Tool* tool = window->AddTool(0, 16);
    ASSERT_TRUE(tool->AddButton(longText.c_str(), 0));
    ASSERT_TRUE(tool->AddButton(Repeat('n', 149).c_str(), 1));
    EXPECT_EQ(std::string(tool->text), Repeat('n', 149));
    tool->ShowButtons();
    for (int command : {201, 202}) {
        char shown[300] = {};
        SendMessageA(tool->handle, TB_GETBUTTONTEXTA, command, reinterpret_cast<LPARAM>(shown));
        EXPECT_EQ(std::string(shown), command == 201 ? kept : Repeat('n', 149)) << command;
    }

    Tree* tree = window->AddTree(320, 10, 200, 200);
    ASSERT_EQ(tree->AddItem(longText.c_str(), 0), 1);
    EXPECT_EQ(std::string(tree->text), kept);
    char itemText[300] = {};
    TVITEMA item{};
    item.mask = TVIF_TEXT | TVIF_HANDLE;
    item.hItem = tree->items[0];
    item.pszText = itemText;
    item.cchTextMax = sizeof itemText;
    SendMessageA(tree->handle, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(std::string(itemText), kept);
}

}  // namespace
