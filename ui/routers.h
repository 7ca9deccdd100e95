#pragma once
#include <windows.h>

class SmControl;

// Map a control's notification codes to its handler slots; a code the
// control's kind does not list does nothing.
// From WM_COMMAND: Boton, Check, Option, Frame, Edit, List, Combo.
void RouteCommand(SmControl& control, int code);
// From WM_NOTIFY: Tab, Tree, Calendar.
void RouteNotify(SmControl& control, NMHDR* record);
