// Shows every control kind of the framework on one window: the four of the
// consent screen and the thirteen others, each set up with a little
// content. Handlers write what happens into the status bar.
// Usage: sm_ui_gallery [STOP_FILE] — the window also closes once STOP_FILE
// exists (the screenshot test uses this). Exits with 1 when a control's
// system window could not be created, else 0.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>

#include "ui/controls/boton.h"
#include "ui/controls/calendar.h"
#include "ui/controls/check.h"
#include "ui/controls/combo.h"
#include "ui/controls/edit.h"
#include "ui/controls/eje.h"
#include "ui/controls/frame.h"
#include "ui/controls/icono.h"
#include "ui/controls/image.h"
#include "ui/controls/label.h"
#include "ui/controls/list.h"
#include "ui/controls/option.h"
#include "ui/controls/progress.h"
#include "ui/controls/status.h"
#include "ui/controls/tab.h"
#include "ui/controls/tool.h"
#include "ui/controls/tree.h"
#include "ui/demo/stop_file.h"
#include "ui/sm_aplicacion.h"
#include "ui/sm_ventana.h"

namespace {

SmVentana* screen = nullptr;
Status* status = nullptr;
Calendar* calendar = nullptr;

void Report(const char* what, int value) {
    char line[80];
    std::snprintf(line, sizeof line, "%s %d", what, value);
    status->SetPartText(1, line);
}

void ToolPressed(int button) { Report("Botón de herramientas", button); }
void TreeSelected(int, int, int item) { Report("Elemento del árbol", item); }
void DateChanged() { status->SetPartText(1, calendar->Date()); }
void CloseClicked() { screen->Destroy(); }

void AddToolbar() {
    Tool* tool = screen->AddTool(0, 16);
    tool->AddButton("Nuevo", STD_FILENEW);
    tool->AddButton("Abrir", STD_FILEOPEN);
    tool->AddSeparator();
    tool->AddButton("", STD_FILESAVE);
    tool->ShowButtons();
    tool->on_command = ToolPressed;
}

void AddChoices() {
    screen->AddFrame("Opciones", 10, 110, 230, 120);
    screen->AddCheck("Iniciar con Windows", 20, 130, 200, 20)->SetChecked(true);
    screen->AddOption("Instalación completa", 20, 155, 200, 20)->SetChecked(true);
    screen->AddOption("Sólo el servidor", 20, 180, 200, 20);
    screen->AddEdit(20, 202, 210, 22, 0)->SetText("C:\\Users\\Public\\OrvNet");
}

void AddLists() {
    List* list = screen->AddList(250, 110, 150, 120, false);
    for (const char* item : {"Hormigón", "Acero", "Madera", "Vidrio"}) list->Add(item);
    list->Select(1);
    Combo* combo = screen->AddCombo(410, 110, 150, 150);
    for (const char* item : {"Español", "English", "Català"}) combo->Add(item);
    combo->Select(2);
    calendar = screen->AddCalendar(570, 110, 200, 24);
    calendar->SetDate("25/12/2024");
    calendar->on_change = DateChanged;
    screen->AddIcono("I", 570, 150, 32, 32);
    screen->AddEje(620, 150, 150, 80);
}

void AddPagesAndTree() {
    Tab* tab = screen->AddTab(10, 240, 390, 150);
    for (const char* page : {"General", "Datos", "Red"}) tab->AddPage(page);
    Tree* tree = screen->AddTree(410, 240, 360, 150);
    tree->AddItem("OrvNet", 0);
    tree->AddItem("OrvServer", 0);
    tree->AddItem("Data", 1);
    tree->AddItem("Marcas", 1);
    tree->AddItem("Data", 2);
    for (HTREEITEM item : tree->items) {
        SendMessageA(tree->handle, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
    }
    tree->on_tree_select = TreeSelected;
}

void Populate() {
    AddToolbar();
    screen->AddImage("B", 10, 40, 100, 100);
    screen->AddLabel("Galería de los diecisiete tipos de control del marco de ventanas.", 320, 50,
                     450, 16, 0);
    AddChoices();
    AddLists();
    AddPagesAndTree();
    Progress* bar = screen->AddProgress(10, 400, 660, 20);
    bar->SetMaximum(100);
    bar->SetPosition(60);
    screen->AddBoton("Cerrar", 690, 396, 80, 28, nullptr, nullptr)->on_click = CloseClicked;
    status = screen->AddStatus();
    status->SetText("Listo");
    status->SetPartText(1, "17 tipos de control");
    status->SetPartText(2, "OrvNet 2.5");
}

// Every kind from Boton (1) to Eje (17) must be on the window with a live
// system window.
bool EveryKindShown() {
    bool seen[KindEje + 1] = {};
    for (int slot = 1; slot <= screen->count; ++slot) {
        SmControl* control = screen->controls[slot];
        if (control == nullptr || !IsWindow(control->handle)) return false;
        if (control->kind >= KindBoton && control->kind <= KindEje) seen[control->kind] = true;
    }
    for (int kind = KindBoton; kind <= KindEje; ++kind) {
        if (!seen[kind]) return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    auto* app = new SmAplicacion();
    screen = app->CreateDialogWindow("OrvNet - galería de controles", 800, 500, nullptr, nullptr);
    Populate();
    bool complete = EveryKindShown();

    UINT_PTR timer = CloseWhenFileAppears(screen, argc > 1 ? argv[1] : nullptr);
    screen->RunModal(1);
    StopWatchingFile(timer);

    delete screen;
    delete app;
    return complete ? 0 : 1;
}
