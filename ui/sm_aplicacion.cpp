#include "ui/sm_aplicacion.h"

#include <commctrl.h>

#include "ui/sm_ventana.h"
#include "ui/window_classes.h"

namespace {

WNDCLASSEXA Describe(const char* name, UINT style, LPCSTR icon, HBRUSH background,
                     HINSTANCE instance) {
    WNDCLASSEXA description{};
    description.cbSize = sizeof description;
    description.style = style;
    description.lpfnWndProc = DefWindowProcA;
    description.hInstance = instance;
    description.hIcon = LoadIconA(nullptr, icon);
    description.hIconSm = LoadIconA(nullptr, icon);
    description.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    description.hbrBackground = background;
    description.lpszClassName = name;
    return description;
}

// Registers the class unless the instance has one of that name already;
// true when this call registered it.
bool RegisterOnce(const WNDCLASSEXA& description) {
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExA(description.hInstance, description.lpszClassName, &existing)) return false;
    return RegisterClassExA(&description) != 0;
}

}  // namespace

SmAplicacion::SmAplicacion() {
    instance = GetModuleHandleA(nullptr);
    InitCommonControls();
    whiteBrush = CreateSolidBrush(RGB(255, 255, 255));
    faceBrush = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
    screenClass = Describe(kScreenClass, CS_DBLCLKS, IDI_APPLICATION, whiteBrush, instance);
    registeredScreen = RegisterOnce(screenClass);
    dialogClass = Describe(kDialogClass, CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS, IDI_ASTERISK,
                           faceBrush, instance);
    registeredDialog = RegisterOnce(dialogClass);
    // The Eje control's area: default processing only, white like a screen.
    registeredPicture = RegisterOnce(
        Describe(kPictureClass, CS_DBLCLKS, IDI_APPLICATION, whiteBrush, instance));
}

SmAplicacion::~SmAplicacion() {
    DeleteObject(whiteBrush);
    DeleteObject(faceBrush);
    if (registeredScreen) UnregisterClassA(kScreenClass, instance);
    if (registeredDialog) UnregisterClassA(kDialogClass, instance);
    if (registeredPicture) UnregisterClassA(kPictureClass, instance);
    instance = nullptr;
}

SmVentana* SmAplicacion::CreateDialogWindow(const char* title, int width, int height,
                                            SmVentana* owner, const char* menu) {
    return new SmVentana(title, width, height, true, instance,
                         owner != nullptr ? owner->Handle() : nullptr, menu);
}

SmVentana* SmAplicacion::CreateScreenWindow(const char* title, int width, int height,
                                            SmVentana* owner, const char* menu) {
    return new SmVentana(title, width, height, false, instance,
                         owner != nullptr ? owner->Handle() : nullptr, menu);
}
