#include "ui/sm_ventana.h"

// The cursor is a class attribute: setting it on one window changes it for
// every window of the same class.
void SmVentana::SetClassCursor(LPCSTR systemCursor) {
    cursor = LoadCursorA(nullptr, systemCursor);
    SetClassLongPtrA(handle, GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(cursor));
}

void SmVentana::SetCursorHand() { SetClassCursor(IDC_HAND); }
void SmVentana::SetCursorHelp() { SetClassCursor(IDC_HELP); }
void SmVentana::SetCursorIBeam() { SetClassCursor(IDC_IBEAM); }
void SmVentana::SetCursorAppStarting() { SetClassCursor(IDC_APPSTARTING); }
void SmVentana::SetCursorCross() { SetClassCursor(IDC_CROSS); }
void SmVentana::SetCursorArrow() { SetClassCursor(IDC_ARROW); }
void SmVentana::SetCursorWait() { SetClassCursor(IDC_WAIT); }
void SmVentana::SetCursorSizeNS() { SetClassCursor(IDC_SIZENS); }
void SmVentana::SetCursorSizeWE() { SetClassCursor(IDC_SIZEWE); }
void SmVentana::SetCursorUpArrow() { SetClassCursor(IDC_UPARROW); }
void SmVentana::SetCursorSizeAll() { SetClassCursor(IDC_SIZEALL); }
void SmVentana::SetCursorNo() { SetClassCursor(IDC_NO); }
