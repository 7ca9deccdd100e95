// The routers: control notifications to control handler slots, and the
// side effects of the check box, option and edit routes.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>

#include "support/call_log.h"
#include "ui/controls/boton.h"
#include "ui/controls/calendar.h"
#include "ui/controls/check.h"
#include "ui/controls/combo.h"
#include "ui/controls/edit.h"
#include "ui/controls/frame.h"
#include "ui/controls/label.h"
#include "ui/controls/list.h"
#include "ui/controls/option.h"
#include "ui/controls/progress.h"
#include "ui/controls/status.h"
#include "ui/controls/tab.h"
#include "ui/controls/tool.h"
#include "ui/controls/tree.h"
#include "support/ui_fixture.h"

namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kButton = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_NOTIFY;

using RoutingTest = UiTest;

SmControl* MakeKind(SmVentana& w, int kind) {
    switch (kind) {
        case KindBoton: return Place<Boton>(w, {"BUTTON", 0, kButton | BS_PUSHBUTTON, true}, "b");
        case KindFrame: return Place<Frame>(w, {"BUTTON", 0, kButton | BS_GROUPBOX, true}, "f");
        case KindEdit: return Place<Edit>(w, {"EDIT", 0, kChild, true});
        case KindList: return Place<List>(w, {"LISTBOX", 0, kChild | LBS_NOTIFY, true});
        case KindCombo: return Place<Combo>(w, {"COMBOBOX", 0, kChild | CBS_DROPDOWNLIST, true});
        case KindLabel: return Place<Label>(w, {"STATIC", 0, kChild, true}, "l");
        case KindProgress: return Place<Progress>(w, {PROGRESS_CLASSA, 0, kChild, true});
        case KindStatus: return Place<Status>(w, {STATUSCLASSNAMEA, 0, kChild, true});
        case KindTool: return Place<Tool>(w, {TOOLBARCLASSNAMEA, 0, kChild, true});
        case KindTab: return Place<Tab>(w, {WC_TABCONTROLA, 0, kChild, true});
        case KindCalendar: return Place<Calendar>(w, {DATETIMEPICK_CLASSA, 0, kChild, true});
        case KindTree: return Place<Tree>(w, {WC_TREEVIEWA, 0, kChild, true});
    }
    return nullptr;
}

struct CommandCase {
    const char* name;
    int kind;
    int code;
    const char* slot;  // null: nothing is raised
};

const CommandCase kCommands[] = {
    {"button click", KindBoton, BN_CLICKED, "on_click"},
    {"button focus", KindBoton, BN_SETFOCUS, "on_focus_gained"},
    {"button blur", KindBoton, BN_KILLFOCUS, "on_focus_lost"},
    {"button double click code", KindBoton, BN_DOUBLECLICKED, nullptr},
    {"frame click", KindFrame, BN_CLICKED, "on_click"},
    {"frame blur", KindFrame, BN_KILLFOCUS, "on_focus_lost"},
    {"edit change", KindEdit, EN_CHANGE, "on_change"},
    {"edit blur", KindEdit, EN_KILLFOCUS, "on_focus_lost"},
    {"edit update", KindEdit, EN_UPDATE, nullptr},
    {"list selection", KindList, LBN_SELCHANGE, "on_select_change"},
    {"list double click", KindList, LBN_DBLCLK, "on_double_click"},
    {"list focus", KindList, LBN_SETFOCUS, "on_focus_gained"},
    {"list blur", KindList, LBN_KILLFOCUS, "on_focus_lost"},
    {"combo selection", KindCombo, CBN_SELCHANGE, "on_select_change"},
    {"combo double click", KindCombo, CBN_DBLCLK, "on_double_click"},
    {"combo focus", KindCombo, CBN_SETFOCUS, "on_focus_gained"},
    {"combo blur", KindCombo, CBN_KILLFOCUS, "on_focus_lost"},
    {"label click has no router", KindLabel, STN_CLICKED, nullptr},
    {"progress has no router", KindProgress, 0, nullptr},
    {"status is skipped", KindStatus, 0, nullptr},
};

TEST_F(RoutingTest, CommandNotificationsReachTheirSlots) {
    SmVentana* w = Dialog();
    for (const CommandCase& c : kCommands) {
        SCOPED_TRACE(c.name);
        SmControl* control = MakeKind(*w, c.kind);
        ASSERT_NE(control, nullptr);
        RecordControlSlots(*control);
        calls.clear();
        LRESULT result = SendMessageA(w->handle, WM_COMMAND, MAKEWPARAM(control->id, c.code),
                                      reinterpret_cast<LPARAM>(control->handle));
        EXPECT_EQ(result, 0);
        std::vector<Call> expected;
        if (c.slot != nullptr) expected.push_back({c.slot, {control->id, c.code, 0}});
        EXPECT_EQ(calls, expected);
    }
}

TEST_F(RoutingTest, ToolButtonsRaiseOnCommandWithTheirNumber) {
    SmVentana* w = Dialog();
    SmControl* tool = MakeKind(*w, KindTool);
    RecordControlSlots(*tool);
    calls.clear();
    SendMessageA(w->handle, WM_COMMAND, MAKEWPARAM(203, BN_CLICKED),
                 reinterpret_cast<LPARAM>(tool->handle));
    EXPECT_EQ(calls, (std::vector<Call>{{"on_command", {3}}}));
}

// A sender whose user data is not one of this window's controls is no
// control of ours: default processing, and no handler of the control it
// points at.
TEST_F(RoutingTest, CommandsFromForeignSendersRaiseNothing) {
    SmVentana* w = Dialog();
    SmVentana* other = Dialog();
    Boton* theirs = other->AddBoton("Suyo", 0, 0, 50, 20, nullptr, nullptr);
    RecordControlSlots(*theirs);
    HWND stranger = CreateWindowExA(0, "BUTTON", "x", WS_CHILD, 0, 0, 10, 10, w->handle,
                                    reinterpret_cast<HMENU>(1), nullptr, nullptr);
    for (LONG_PTR userData : {LONG_PTR{0}, reinterpret_cast<LONG_PTR>(theirs)}) {
        SetWindowLongPtrA(stranger, GWLP_USERDATA, userData);
        calls.clear();
        SendMessageA(w->handle, WM_COMMAND, MAKEWPARAM(1, BN_CLICKED),
                     reinterpret_cast<LPARAM>(stranger));
        NMHDR record{stranger, 1, static_cast<UINT>(NM_SETFOCUS)};
        SendMessageA(w->handle, WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&record));
        EXPECT_TRUE(calls.empty());
    }
}

struct NotifyCase {
    const char* name;
    int kind;
    UINT code;
    const char* slot;
    bool withRecord;
};

const NotifyCase kNotifications[] = {
    {"tab focus", KindTab, static_cast<UINT>(NM_SETFOCUS), "on_focus_gained", false},
    {"tab blur", KindTab, static_cast<UINT>(NM_KILLFOCUS), "on_focus_lost", false},
    {"tab page", KindTab, static_cast<UINT>(TCN_SELCHANGE), "on_select_change", false},
    {"tab other", KindTab, static_cast<UINT>(TCN_SELCHANGING), nullptr, false},
    {"calendar focus", KindCalendar, static_cast<UINT>(NM_SETFOCUS), "on_focus_gained", true},
    {"calendar blur", KindCalendar, static_cast<UINT>(NM_KILLFOCUS), "on_focus_lost", true},
    {"calendar date", KindCalendar, static_cast<UINT>(DTN_DATETIMECHANGE), "on_change", true},
    {"tree focus", KindTree, static_cast<UINT>(NM_SETFOCUS), "on_focus_gained", true},
    {"tree blur", KindTree, static_cast<UINT>(NM_KILLFOCUS), "on_focus_lost", true},
    {"tree has no on_change", KindTree, static_cast<UINT>(DTN_DATETIMECHANGE), nullptr, true},
    {"button notifications are commands", KindBoton, static_cast<UINT>(NM_SETFOCUS), nullptr, false},
};

TEST_F(RoutingTest, NotifyNotificationsReachTheirSlots) {
    SmVentana* w = Dialog();
    for (const NotifyCase& c : kNotifications) {
        SCOPED_TRACE(c.name);
        SmControl* control = MakeKind(*w, c.kind);
        RecordControlSlots(*control);
        NMHDR record{control->handle, static_cast<UINT_PTR>(control->id), c.code};
        calls.clear();
        EXPECT_EQ(SendMessageA(w->handle, WM_NOTIFY, control->id, reinterpret_cast<LPARAM>(&record)), 0);
        std::vector<Call> expected;
        if (c.slot != nullptr) {
            expected.push_back({c.slot, {control->id, static_cast<int>(c.code),
                                         c.withRecord ? reinterpret_cast<std::intptr_t>(&record) : 0}});
        }
        EXPECT_EQ(calls, expected);
    }
}

// Items carry their number in the low and their parent's in the high half.
TEST_F(RoutingTest, TreeSelectionPassesItemNumbers) {
    SmVentana* w = Dialog();
    SmControl* tree = MakeKind(*w, KindTree);
    RecordControlSlots(*tree);
    NMTREEVIEWA change{};
    change.hdr = {tree->handle, static_cast<UINT_PTR>(tree->id), static_cast<UINT>(TVN_SELCHANGEDA)};
    change.itemOld.lParam = MAKELPARAM(2, 0);
    change.itemNew.lParam = MAKELPARAM(3, 1);
    calls.clear();
    SendMessageA(w->handle, WM_NOTIFY, tree->id, reinterpret_cast<LPARAM>(&change));
    EXPECT_EQ(calls, (std::vector<Call>{{"on_tree_select", {2, 1, 3}}}));
}

// Check boxes and options are not automatic: the routing sets their marks.
TEST_F(RoutingTest, CheckBoxTogglesBeforeOnClick) {
    SmVentana* w = Dialog();
    static Check* check;
    static std::vector<LRESULT> markSeen;
    check = Place<Check>(*w, {"BUTTON", 0, kButton | BS_CHECKBOX, true}, "Recordar");
    check->on_click = +[] { markSeen.push_back(SendMessageA(check->handle, BM_GETCHECK, 0, 0)); };
    SendMessageA(check->handle, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(check->handle, BM_CLICK, 0, 0);
    SendMessageA(check->handle, BM_CLICK, 0, 0);
    EXPECT_EQ(markSeen, (std::vector<LRESULT>{BST_UNCHECKED, BST_CHECKED}));
}

TEST_F(RoutingTest, OptionsOfAWindowFormOneGroup) {
    SmVentana* w = Dialog();
    SmVentana* elsewhere = Dialog();
    const ControlStyle optionStyle{"BUTTON", 0, kButton | BS_RADIOBUTTON, true};
    Option* foreign = Place<Option>(*elsewhere, optionStyle, "fuera");
    SendMessageA(foreign->handle, BM_SETCHECK, BST_CHECKED, 0);
    Option* options[3];
    for (Option*& option : options) {
        option = Place<Option>(*w, optionStyle, "opción");
        w->AddLabel("entre medias", 0, 0, 10, 10, 0);  // options need not be neighbours
        RecordControlSlots(*option);
    }
    SendMessageA(options[0]->handle, BM_SETCHECK, BST_CHECKED, 0);
    for (int clicked : {1, 2, 2, 0}) {
        SCOPED_TRACE(clicked);
        calls.clear();
        SendMessageA(options[clicked]->handle, BM_CLICK, 0, 0);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(SendMessageA(options[i]->handle, BM_GETCHECK, 0, 0),
                      i == clicked ? BST_CHECKED : BST_UNCHECKED);
        }
        std::vector<Call> clicks;
        for (const Call& call : calls) {
            if (call.slot == "on_click") clicks.push_back(call);
        }
        EXPECT_EQ(clicks, (std::vector<Call>{{"on_click", {options[clicked]->id, BN_CLICKED, 0}}}));
    }
    EXPECT_EQ(SendMessageA(foreign->handle, BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(RoutingTest, EditFocusSelectsItsWholeText) {
    SmVentana* w = Dialog();
    SmControl* edit = MakeKind(*w, KindEdit);
    RecordControlSlots(*edit);
    SetWindowTextA(edit->handle, "C:\\OrvNet");
    calls.clear();
    SendMessageA(w->handle, WM_COMMAND, MAKEWPARAM(edit->id, EN_SETFOCUS),
                 reinterpret_cast<LPARAM>(edit->handle));
    EXPECT_STREQ(edit->text, "C:\\OrvNet");
    DWORD start = 1, end = 0;
    SendMessageA(edit->handle, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 9u);
    EXPECT_EQ(calls, (std::vector<Call>{{"on_focus_gained", {edit->id, EN_SETFOCUS, 0}}}));
}

// One real double click: ControlProc raises the slot for the raw input, the
// list box's own notification raises it again through the router.
TEST_F(RoutingTest, ListDoubleClickRaisesOnDoubleClickTwice) {
    SmVentana* w = Dialog();
    SmControl* list = MakeKind(*w, KindList);
    SetWindowPos(list->handle, nullptr, 10, 10, 150, 100, SWP_NOZORDER);
    SendMessageA(list->handle, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("uno"));
    SendMessageA(list->handle, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("dos"));
    w->ShowNormal();
    RecordControlSlots(*list);
    calls.clear();
    SendMessageA(list->handle, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    std::vector<Call> doubles;
    for (const Call& call : calls) {
        if (call.slot == "on_double_click") doubles.push_back(call);
    }
    std::vector<Call> expected = {
        {"on_double_click", {list->id, WM_LBUTTONDBLCLK, 0}},
        {"on_double_click", {list->id, LBN_DBLCLK, 0}},
    };
    EXPECT_EQ(doubles, expected);
}

}  // namespace
