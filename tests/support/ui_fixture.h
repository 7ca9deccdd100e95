#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/control_creation.h"
#include "ui/sm_aplicacion.h"
#include "ui/sm_control.h"
#include "ui/sm_ventana.h"

// Every case runs with a fresh application object; windows made through the
// fixture are deleted before it, as the framework requires.
class UiTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    SmVentana* Dialog(const char* title = "Prueba", int width = 400, int height = 300,
                      SmVentana* owner = nullptr);
    SmVentana* Screen(const char* title = "Pantalla", int width = 400, int height = 300,
                      SmVentana* owner = nullptr);
    // Forgets a window the case deletes itself.
    void Release(SmVentana* window);

    std::unique_ptr<SmAplicacion> app;
    std::vector<std::unique_ptr<SmVentana>> windows;
};

// A case with one dialog of the consent screen's size, shown and in front.
class ShownDialogTest : public UiTest {
protected:
    void SetUp() override;
    SmVentana* window = nullptr;
};

// Places a control of any kind on a window along the factories' common path,
// with the given system class and style. `Kind` takes (id, parent, extra...).
template <class Kind, class... Extra>
Kind* Place(SmVentana& window, const ControlStyle& style, Extra... extra) {
    int id = ReserveControlSlot(window);
    if (id == 0) return nullptr;
    auto* control = new Kind(id, window.handle, extra...);
    CreateControlWindow(window, *control, style, "", 10, 10, 80, 24);
    EnterControl(window, *control, style);
    return control;
}

// Handles every message waiting for this thread except the quit message,
// which it leaves in the queue.
void PumpWaiting();

// Runs window.RunModal(mode). A watchdog posts a quit message after a long
// grace period so that a broken loop fails the case instead of hanging it;
// returns false when the watchdog had to end the loop.
bool RunModalGuarded(SmVentana& window, int mode);

// True when the quit message is waiting in this thread's queue (and takes it).
bool TakeQuitMessage();

// A string of n copies of c.
std::string Repeat(char c, size_t n);
