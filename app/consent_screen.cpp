#include "consent_screen.h"

#include "app/accept_flow.h"
#include "ui/controls/boton.h"
#include "ui/controls/image.h"
#include "ui/controls/label.h"
#include "ui/controls/progress.h"
#include "ui/sm_aplicacion.h"
#include "ui/sm_ventana.h"

ConsentScreen Screen;

namespace {
struct TextLine {
    const char* text;
    int top;
};

const TextLine kLines[] = {
    {"Velmarisco no se responsabiliza por errores ocasionados por el mal uso de este", 145},
    {"producto, así como tampoco por errores de cálculo que el mismo involuntariamente contenga.", 165},
    {"También instala y ejecuta un programa llamado OrvServer que provee datos en la red.", 215},
    {"Esto permite que usted pueda usarlo en otras máquinas de su red local.", 235},
    {"Si no está de acuerdo puede optar por salir de la instalación.", 265},
};
constexpr int kTextLeft = 30;
constexpr int kTextWidth = 630;
constexpr int kLineHeight = 18;
}  // namespace

void CreateConsentScreen(SmAplicacion& application) {
    SmVentana* window = application.CreateDialogWindow("OrvNet", ScreenWidth, ScreenHeight, nullptr, nullptr);
    Screen.window = window;
    HWND handle = window->Handle();
    // A caption, a sizing border (KeepSize undoes any resizing) and a
    // minimize box; the system menu with its close command comes with the
    // dialog style.
    LONG style = GetWindowLongA(handle, GWL_STYLE);
    SetWindowLongA(handle, GWL_STYLE, style | WS_CAPTION | WS_THICKFRAME | WS_MINIMIZEBOX);
    Screen.icon = LoadIconA(window->instance, "A");
    SendMessageA(handle, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(Screen.icon));

    Screen.banner = window->AddImage("B", 0, 0, 100, 100);
    for (int i = 0; i < 5; ++i) {
        Screen.lines[i] = window->AddLabel(kLines[i].text, kTextLeft, kLines[i].top, kTextWidth, kLineHeight, 0);
    }
    Screen.progress = window->AddProgress(20, 310, 600, 9);
    Screen.status = window->AddLabel(" ", kTextLeft, 340, 300, kLineHeight, 0);
    Screen.accept = window->AddBoton("Acepto", 455, 350, 80, 28, nullptr, nullptr);
    Screen.leave = window->AddBoton("Salir", 540, 350, 80, 28, nullptr, nullptr);
    Screen.path = window->AddLabel(" --- ", kTextLeft, 385, 300, kLineHeight, 0);

    Screen.accept->on_click = AcceptClicked;
    Screen.leave->on_click = ExitClicked;
    window->on_size = KeepSize;
}
