// The installer's entry: the platform services, the framework, the consent
// screen and its modal loop; shut-down in reverse order.
#include <windows.h>

#include "app/consent_screen.h"
#include "platform/pc/library_search.h"
#include "platform/pc/pc.h"
#include "ui/sm_aplicacion.h"
#include "ui/sm_ventana.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    RestrictLibrarySearch();
    ThePC = new PC;
    SmAplicacion* application = new SmAplicacion;
    CreateConsentScreen(*application);
    Screen.window->RunModal(1);

    DestroyIcon(Screen.icon);
    delete Screen.window;
    delete application;
    delete ThePC;
    ThePC = nullptr;
    return 0;
}
