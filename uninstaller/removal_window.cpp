#include "removal_window.h"

#include <windows.h>

#include "ui/controls/label.h"
#include "ui/sm_aplicacion.h"
#include "ui/sm_ventana.h"

namespace {
constexpr int kWidth = 480;
constexpr int kHeight = 130;
constexpr char kHeading[] = "Quitando OrvNet 2.5 de esta máquina...";

void HandleWaitingMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}
}  // namespace

RemovalWindow::RemovalWindow(SmAplicacion& application) {
    window_ = application.CreateDialogWindow("OrvNet", kWidth, kHeight, nullptr, nullptr);
    window_->AddLabel(kHeading, 20, 20, kWidth - 40, 18, 0);
    status_ = window_->AddLabel(" ", 20, 50, kWidth - 40, 18, 0);
    window_->ShowNormal();
    HandleWaitingMessages();
}

RemovalWindow::~RemovalWindow() {
    delete window_;
    HandleWaitingMessages();
}

void RemovalWindow::SetText(const char* text) {
    status_->SetText(text);
    HandleWaitingMessages();
}
