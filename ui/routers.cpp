#include "ui/routers.h"

#include <commctrl.h>

#include <cstring>

#include "ui/control_lookup.h"
#include "ui/controls/calendar.h"
#include "ui/controls/combo.h"
#include "ui/controls/edit.h"
#include "ui/controls/list.h"
#include "ui/controls/tab.h"
#include "ui/controls/tree.h"
#include "ui/raise.h"
#include "ui/sm_control.h"
#include "ui/sm_ventana.h"

namespace {

// Shared by Boton, Frame, Check and Option once their own click work is done.
void RouteButton(SmControl& control, int code) {
    switch (code) {
        case BN_CLICKED: Raise(control.on_click, &control, code, nullptr); break;
        case BN_SETFOCUS: Raise(control.on_focus_gained, &control, code, nullptr); break;
        case BN_KILLFOCUS: Raise(control.on_focus_lost, &control, code, nullptr); break;
    }
}

// Check boxes are not automatic: the mark flips here, before on_click runs.
void RouteCheck(SmControl& control, int code) {
    if (code == BN_CLICKED) {
        bool checked = SendMessageA(control.handle, BM_GETCHECK, 0, 0) == BST_CHECKED;
        SendMessageA(control.handle, BM_SETCHECK, checked ? BST_UNCHECKED : BST_CHECKED, 0);
    }
    RouteButton(control, code);
}

// All options of one window form a single group, wherever they are placed.
void RouteOption(SmControl& control, int code) {
    if (code == BN_CLICKED) {
        if (SmVentana* window = WindowObject(control.parentHandle)) {
            for (int slot = 1; slot <= window->count; ++slot) {
                SmControl* other = window->controls[slot];
                if (other != nullptr && other->kind == KindOption) {
                    SendMessageA(other->handle, BM_SETCHECK, BST_UNCHECKED, 0);
                }
            }
        }
        SendMessageA(control.handle, BM_SETCHECK, BST_CHECKED, 0);
    }
    RouteButton(control, code);
}

// On focus the field selects its whole text, so typing replaces it.
void RouteEdit(Edit& edit, int code) {
    switch (code) {
        case EN_SETFOCUS:
            std::memset(edit.text, 0, sizeof edit.text);
            GetWindowTextA(edit.handle, edit.text, sizeof edit.text);
            SendMessageA(edit.handle, EM_SETSEL, 0, std::strlen(edit.text));
            Raise(edit.on_focus_gained, static_cast<SmControl*>(&edit), code, nullptr);
            break;
        case EN_KILLFOCUS: Raise(edit.on_focus_lost, static_cast<SmControl*>(&edit), code, nullptr); break;
        case EN_CHANGE: Raise(edit.on_change, static_cast<SmControl*>(&edit), code, nullptr); break;
    }
}

// List and combo boxes differ only in their codes.
template <class ListKind>
void RouteList(ListKind& list, int code, int selChange, int dblClk, int setFocus, int killFocus) {
    SmControl* control = &list;
    if (code == selChange) Raise(list.on_select_change, control, code, nullptr);
    if (code == dblClk) Raise(list.on_double_click, control, code, nullptr);
    if (code == setFocus) Raise(list.on_focus_gained, control, code, nullptr);
    if (code == killFocus) Raise(list.on_focus_lost, control, code, nullptr);
}

void RouteTab(Tab& tab, int code) {
    SmControl* control = &tab;
    switch (static_cast<UINT>(code)) {
        case NM_KILLFOCUS: Raise(tab.on_focus_lost, control, code, nullptr); break;
        case NM_SETFOCUS: Raise(tab.on_focus_gained, control, code, nullptr); break;
        case TCN_SELCHANGE: Raise(tab.on_select_change, control, code, nullptr); break;
    }
}

// Passes the notification record on. Trees come here too, for their focus
// codes; only a Calendar has on_change.
void RouteCalendar(SmControl& control, int code, NMHDR* record) {
    switch (static_cast<UINT>(code)) {
        case NM_KILLFOCUS: Raise(control.on_focus_lost, &control, code, record); break;
        case NM_SETFOCUS: Raise(control.on_focus_gained, &control, code, record); break;
        case DTN_DATETIMECHANGE:
            if (control.kind == KindCalendar) {
                Raise(static_cast<Calendar&>(control).on_change, &control, code, record);
            }
            break;
    }
}

// Each tree item's data word holds its number in the low 16 bits and its
// parent's number in the high 16 bits.
void RouteTree(Tree& tree, NMHDR* record) {
    if (record->code != TVN_SELCHANGEDA) {
        RouteCalendar(tree, static_cast<int>(record->code), record);
        return;
    }
    auto* change = reinterpret_cast<NMTREEVIEWA*>(record);
    Raise(tree.on_tree_select, static_cast<int>(LOWORD(change->itemOld.lParam)),
          static_cast<int>(HIWORD(change->itemNew.lParam)),
          static_cast<int>(LOWORD(change->itemNew.lParam)));
}

}  // namespace

void RouteCommand(SmControl& control, int code) {
    switch (control.kind) {
        case KindBoton:
        case KindFrame: RouteButton(control, code); break;
        case KindCheck: RouteCheck(control, code); break;
        case KindOption: RouteOption(control, code); break;
        case KindEdit: RouteEdit(static_cast<Edit&>(control), code); break;
        case KindList:
            RouteList(static_cast<List&>(control), code, LBN_SELCHANGE, LBN_DBLCLK, LBN_SETFOCUS,
                      LBN_KILLFOCUS);
            break;
        case KindCombo:
            RouteList(static_cast<Combo&>(control), code, CBN_SELCHANGE, CBN_DBLCLK, CBN_SETFOCUS,
                      CBN_KILLFOCUS);
            break;
    }
}

void RouteNotify(SmControl& control, NMHDR* record) {
    int code = static_cast<int>(record->code);
    switch (control.kind) {
        case KindTab: RouteTab(static_cast<Tab&>(control), code); break;
        case KindTree: RouteTree(static_cast<Tree&>(control), record); break;
        case KindCalendar: RouteCalendar(control, code, record); break;
    }
}
