#include "support/call_log.h"

#include <windows.h>

#include "ui/controls/calendar.h"
#include "ui/controls/combo.h"
#include "ui/controls/edit.h"
#include "ui/controls/list.h"
#include "ui/controls/tab.h"
#include "ui/controls/tool.h"
#include "ui/controls/tree.h"
#include "ui/sm_ventana.h"

std::vector<Call> calls;

std::ostream& operator<<(std::ostream& out, const Call& call) {
    out << call.slot << "(";
    for (size_t i = 0; i < call.args.size(); ++i) out << (i ? ", " : "") << call.args[i];
    return out << ")";
}

namespace {

void Add(const char* slot, std::vector<std::intptr_t> args = {}) {
    calls.push_back({slot, std::move(args)});
}

std::intptr_t Address(const void* pointer) { return reinterpret_cast<std::intptr_t>(pointer); }

void WindowMenu(int id) { Add("on_menu", {id}); }
void WindowShow() { Add("on_show"); }
void WindowPaint(HDC dc) { Add("on_paint", {dc != nullptr}); }
void WindowDestroy() { Add("on_destroy"); }
void WindowSize() { Add("on_size"); }
void WindowActivate() { Add("on_activate"); }
void WindowClick() { Add("on_click"); }
void WindowDoubleClick() { Add("on_double_click"); }
void WindowWheel(int toward) { Add("on_wheel", {toward}); }
void WindowMeasure(int item, UINT* w, UINT* h) {
    Add("on_measure_item", {item});
    *w = 33;
    *h = 44;
}
void WindowDraw(int item, HDC dc, RECT* rect, UINT action, UINT state) {
    Add("on_draw_item", {item, Address(dc), rect->left, static_cast<std::intptr_t>(action),
                         static_cast<std::intptr_t>(state)});
}

void Notify(const char* slot, SmControl* control, int code, NMHDR* record) {
    Add(slot, {control->id, code, Address(record)});
}
void Click(SmControl* c, int code, NMHDR* r) { Notify("on_click", c, code, r); }
void DoubleClick(SmControl* c, int code, NMHDR* r) { Notify("on_double_click", c, code, r); }
void FocusLost(SmControl* c, int code, NMHDR* r) { Notify("on_focus_lost", c, code, r); }
void FocusGained(SmControl* c, int code, NMHDR* r) { Notify("on_focus_gained", c, code, r); }
void Change(SmControl* c, int code, NMHDR* r) { Notify("on_change", c, code, r); }
void SelectChange(SmControl* c, int code, NMHDR* r) { Notify("on_select_change", c, code, r); }
void MouseDown(int b, int x, int y) { Add("on_mouse_down", {b, x, y}); }
void MouseUp(int b, int x, int y) { Add("on_mouse_up", {b, x, y}); }
void MouseMove(int x, int y) { Add("on_mouse_move", {x, y}); }
void KeyDown(int key) { Add("on_key_down", {key}); }
void KeyUp(int key) { Add("on_key_up", {key}); }
void TreeSelect(int old, int parent, int item) { Add("on_tree_select", {old, parent, item}); }
void Command(int button) { Add("on_command", {button}); }

// The mouse and key slots, named and typed alike on windows and controls.
template <typename Owner>
void RecordInputSlots(Owner& owner) {
    owner.on_mouse_down = MouseDown;
    owner.on_mouse_up = MouseUp;
    owner.on_mouse_move = MouseMove;
    owner.on_key_down = KeyDown;
    owner.on_key_up = KeyUp;
}

}  // namespace

void RecordWindowSlots(SmVentana& w) {
    w.on_menu = WindowMenu;
    w.on_show = WindowShow;
    w.on_paint = WindowPaint;
    w.on_destroy = WindowDestroy;
    w.on_size = WindowSize;
    w.on_activate = WindowActivate;
    w.on_click = WindowClick;
    w.on_double_click = WindowDoubleClick;
    w.on_wheel = WindowWheel;
    RecordInputSlots(w);
    w.on_measure_item = WindowMeasure;
    w.on_draw_item = WindowDraw;
}

void RecordControlSlots(SmControl& c) {
    c.on_click = Click;
    c.on_double_click = DoubleClick;
    RecordInputSlots(c);
    c.on_focus_lost = FocusLost;
    c.on_focus_gained = FocusGained;
    switch (c.kind) {
        case KindEdit: static_cast<Edit&>(c).on_change = Change; break;
        case KindList: static_cast<List&>(c).on_select_change = SelectChange; break;
        case KindCombo: static_cast<Combo&>(c).on_select_change = SelectChange; break;
        case KindCalendar: static_cast<Calendar&>(c).on_change = Change; break;
        case KindTab: static_cast<Tab&>(c).on_select_change = SelectChange; break;
        case KindTool: static_cast<Tool&>(c).on_command = Command; break;
        case KindTree: static_cast<Tree&>(c).on_tree_select = TreeSelect; break;
    }
}
