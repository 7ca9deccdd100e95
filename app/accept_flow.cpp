#include "accept_flow.h"

#include <windows.h>

#include <cstring>

#include "app/consent_screen.h"
#include "app/control_sinks.h"
#include "common/bounded_copy.h"
#include "common/path_join.h"
#include "install/install_state.h"
#include "install/run_install.h"
#include "platform/pc/pc.h"
#include "platform/pc/pump.h"
#include "ui/controls/boton.h"
#include "ui/controls/label.h"
#include "ui/controls/progress.h"
#include "ui/sm_ventana.h"

namespace {

constexpr char kMainProgram[] = "OrvNet\\OrvNet.exe";

int recordedWidth = 0;
int recordedHeight = 0;
// Clicks that arrive while a run is going on (a double click, clicks queued
// before the buttons were disabled) are dispatched by the run's pump or by
// the outcome's message box, where "Acepto" is enabled again: they must not
// start a second run inside the first.
bool acceptRunning = false;

// Removes characters from the end until the last one is a separator; the
// first character always stays.
void CutAfterLastSeparator(char* path) {
    size_t length = std::strlen(path);
    while (length > 1 && path[length - 1] != '\\' && path[length - 1] != '/') path[--length] = '\0';
}

// Takes a documents folder, cuts it to its parent and makes that the
// install base. True when the product's main program is there.
bool TryBase(char* (PC::*folderQuery)(char*, size_t)) {
    char buffer[InstallPathSize] = {};
    (ThePC->*folderQuery)(buffer, sizeof buffer);
    CutAfterLastSeparator(buffer);
    CopyBounded(InstallBase, sizeof InstallBase, buffer);
    char program[InstallPathSize];
    return JoinPath(program, sizeof program, buffer, kMainProgram) && ThePC->Exists(program);
}

void SetButtons(bool enabled) {
    Screen.accept->Enable(enabled);
    Screen.leave->Enable(enabled);
}

void ShowMessage(const char* text) { MessageBoxA(nullptr, text, MessageCaption, MB_OK); }

}  // namespace

void ChooseInstallBase() {
    if (TryBase(&PC::PersonalFolder)) return;
    TryBase(&PC::CommonDocumentsFolder);
}

void AcceptClicked() {
    if (acceptRunning) return;
    acceptRunning = true;
    ChooseInstallBase();
    SetButtons(false);
    char shown[InstallPathSize];
    if (JoinPath(shown, sizeof shown, InstallBase, kMainProgram)) Screen.path->SetText(shown);
    Screen.status->SetText(UnpackingText);
    PumpMessages();

    ProgressBarSink progress(*Screen.progress);
    LabelStatusSink status(*Screen.status);
    bool installed = RunInstall(progress, status);
    progress.Flush();

    // The close command stays available during the run. The quit message
    // that closing posts may have been taken by the run's message pump, so
    // the program would wait for it forever: when the screen is gone, the
    // outcome is still reported and the quit message posted again.
    bool screenClosed = !IsWindow(Screen.window->Handle());
    if (screenClosed) {
        // A quit message still waiting would close the outcome message box
        // before the user could read it.
        MSG quit;
        while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }
    if (installed) {
        SetButtons(true);
        PumpMessages();
        ShowMessage(IsUpdate ? UpdatedText : InstalledText);
        Screen.window->Destroy();
    } else {
        ShowMessage(FailedText);
        // The run is over once its outcome is shown: a click on Acepto as
        // soon as it is enabled again is a retry, not part of this run.
        acceptRunning = false;
        SetButtons(true);
        PumpMessages();
    }
    acceptRunning = false;
    if (screenClosed) PostQuitMessage(0);
}

void ExitClicked() { Screen.window->Destroy(); }

void KeepSize() {
    SmVentana* window = Screen.window;
    int left = window->Left();
    int top = window->Top();
    if (recordedWidth == 0) recordedWidth = window->Width();
    if (recordedHeight == 0) recordedHeight = window->Height();
    window->SetBounds(left, top, recordedWidth, recordedHeight);
}
