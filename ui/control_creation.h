#pragma once
#include <windows.h>

#include "ui/sm_ventana.h"

class SmControl;
class SmVentana;

// How a kind's system window is made.
struct ControlStyle {
    const char* systemClass;
    DWORD extendedStyle;
    DWORD style;
    bool defaultFont;  // static pictures keep the system font
};

// The creation path every factory follows:
//   int id = ReserveControlSlot(window);           // 0: the table is full
//   auto* control = new Kind(id, window.handle, ...);
//   CreateControlWindow(window, *control, style, windowText, x, y, w, h);
//   ... the kind's own set-up messages ...
//   EnterControl(window, *control, style);
//   return control;

// Counts the new control in and returns its id, which is also its slot and
// its child-window identifier; 0 when all 99 slots are taken, and then
// nothing changes.
int ReserveControlSlot(SmVentana& window);

// Creates the control's child window on `window`, with the control's id.
void CreateControlWindow(const SmVentana& window, SmControl& control, const ControlStyle& style,
                         const char* windowText, int x, int y, int w, int h);

// Sets the font, links the window to the object, puts ControlProc in front
// of the class procedure, shows the window and enters the control in its
// slot.
void EnterControl(SmVentana& window, SmControl& control, const ControlStyle& style);

// The steps of EnterControl, for kinds whose set-up runs in another order
// (toolbars and status bars).
void SetDefaultFont(const SmControl& control);
void LinkControl(SmControl& control);  // user data and ControlProc
void PlaceInTable(SmVentana& window, SmControl& control);

// The whole path for kinds without set-up messages of their own: a new Kind
// (constructed from id, the window's handle and `extra`) with its window
// made from `style` and `windowText`, entered in the next slot; null when the
// table is full.
template <class Kind, class... Extra>
Kind* MakeControl(SmVentana& window, const ControlStyle& style, const char* windowText, int x,
                  int y, int w, int h, Extra... extra) {
    int id = ReserveControlSlot(window);
    if (id == 0) return nullptr;
    auto* control = new Kind(id, window.handle, extra...);
    CreateControlWindow(window, *control, style, windowText, x, y, w, h);
    EnterControl(window, *control, style);
    return control;
}
