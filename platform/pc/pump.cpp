#include "platform/pc/pump.h"

#include <windows.h>

void PumpMessages() {
    MSG message;
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) return;
    TranslateMessage(&message);
    DispatchMessageA(&message);
}
