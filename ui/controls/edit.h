#pragma once
#include "ui/sm_control.h"

// A single-line text field, aligned left, centred or right. On gaining the
// focus it selects its whole text (see the routing).
class Edit : public SmControl {
public:
    Edit(int id, HWND parentHandle) : SmControl(KindEdit, id, parentHandle) {}

    // Selects characters start to end; returns the system's answer.
    LRESULT SelectRange(int start, int end);

    NotifyHandler on_change;
};
