// Shows a dialog like the installer's consent screen, built from the four
// control kinds: the banner Image, Labels, a Progress and two Botones.
// "Acepto" advances the bar, "Salir" or the caption's close button ends it.
// Usage: sm_ui_demo [STOP_FILE] — the window also closes once STOP_FILE
// exists (the screenshot test uses this to end the demo).
#include <windows.h>

#include "ui/controls/boton.h"
#include "ui/controls/image.h"
#include "ui/controls/label.h"
#include "ui/controls/progress.h"
#include "ui/demo/stop_file.h"
#include "ui/sm_aplicacion.h"
#include "ui/sm_ventana.h"

namespace {

SmVentana* screen = nullptr;
Progress* bar = nullptr;
Label* status = nullptr;

void AcceptClicked() {
    int next = bar->Position() + 10;
    bar->SetPosition(next > bar->maximum ? 0 : next);
    status->SetText("Avanzando...");
}

void ExitClicked() { screen->Destroy(); }

}  // namespace

int main(int argc, char** argv) {
    auto* app = new SmAplicacion();
    screen = app->CreateDialogWindow("OrvNet - demo de controles", 650, 445, nullptr, nullptr);
    screen->AddImage("B", 0, 0, 100, 100);
    screen->AddLabel("Ventana de ejemplo con los cuatro tipos de control.", 10, 145, 620, 16, 0);
    status = screen->AddLabel("Listo.", 10, 275, 620, 16, 0);
    bar = screen->AddProgress(10, 300, 620, 20);
    bar->SetMaximum(100);
    bar->SetPosition(60);
    Boton* accept = screen->AddBoton("Acepto", 455, 350, 80, 28, nullptr, nullptr);
    Boton* exit = screen->AddBoton("Salir", 540, 350, 80, 28, nullptr, nullptr);
    accept->on_click = AcceptClicked;
    exit->on_click = ExitClicked;

    UINT_PTR timer = CloseWhenFileAppears(screen, argc > 1 ? argv[1] : nullptr);
    screen->RunModal(1);
    StopWatchingFile(timer);

    delete screen;
    delete app;
    return 0;
}
