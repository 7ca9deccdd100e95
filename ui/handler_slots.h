#pragma once
#include <windows.h>

#include <cstddef>

class SmControl;

// A handler slot: one event of a window or control, raised by the dispatch
// with the event's full argument list.
//
// The dispatch raises some slots with arguments (a control and a code, a key,
// mouse coordinates) while the installer binds handlers that take none, such
// as `accept->on_click = AcceptClicked;` with `void AcceptClicked()`. Calling
// a function through a pointer of another type is undefined, so each slot
// keeps the two kinds of pointer apart: it holds either a function without
// arguments or one with the slot's full signature, converts from both, and
// its call operator always takes the full arguments, handing them on only to
// the full-signature function. An empty slot ignores the event.
template <class... Args>
class Handler {
public:
    using Bare = void (*)();
    using Full = void (*)(Args...);

    Handler() = default;
    Handler(std::nullptr_t) {}
    Handler(Bare function) : bare_(function) {}
    Handler(Full function) : full_(function) {}

    explicit operator bool() const { return bare_ != nullptr || full_ != nullptr; }

    void operator()(Args... args) const {
        if (full_ != nullptr) {
            full_(args...);
        } else if (bare_ != nullptr) {
            bare_();
        }
    }

private:
    Bare bare_ = nullptr;
    Full full_ = nullptr;
};

// Events without arguments: one kind of pointer only.
template <>
class Handler<> {
public:
    using Bare = void (*)();

    Handler() = default;
    Handler(std::nullptr_t) {}
    Handler(Bare function) : bare_(function) {}

    explicit operator bool() const { return bare_ != nullptr; }

    void operator()() const {
        if (bare_ != nullptr) bare_();
    }

private:
    Bare bare_ = nullptr;
};

// The slot types, by the arguments the dispatch passes.
using EventHandler = Handler<>;
using MenuHandler = Handler<int>;               // command identifier
using PaintHandler = Handler<HDC>;              // paint device context
using WheelHandler = Handler<int>;              // 1 toward the user, else 0
using MouseMoveHandler = Handler<int, int>;     // x, y
using MouseButtonHandler = Handler<int, int, int>;  // button (1 left, 2 right), x, y
using KeyHandler = Handler<int>;                // virtual key code
using MeasureItemHandler = Handler<int, UINT*, UINT*>;  // item, width, height (written)
using DrawItemHandler = Handler<int, HDC, RECT*, UINT, UINT>;  // item, dc, rect, action, state
// Control notifications: the control, the notification code and, on the
// routes that have one, the notification record (null elsewhere). A raw
// double click seen by ControlProc carries the code WM_LBUTTONDBLCLK.
using NotifyHandler = Handler<SmControl*, int, NMHDR*>;
using TreeSelectHandler = Handler<int, int, int>;  // old item, new item's parent, new item
using CommandHandler = Handler<int>;            // tool button number, from 1
