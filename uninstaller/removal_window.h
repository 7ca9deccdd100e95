#pragma once
// The window shown while OrvNet is removed, built with the framework the
// installer uses: a dialog window captioned "OrvNet" with a heading and one
// status line. Removing a large product takes a while; the window tells the
// user the uninstaller is at work and what it is removing.
#include "common/progress_sink.h"

class SmAplicacion;
class SmVentana;
class Label;

class RemovalWindow : public StatusSink {
public:
    // Creates and shows the window.
    explicit RemovalWindow(SmAplicacion& application);
    // Destroys the window and drops the quit message its destruction posts,
    // which would otherwise close the next message box at once.
    ~RemovalWindow() override;
    RemovalWindow(const RemovalWindow&) = delete;
    RemovalWindow& operator=(const RemovalWindow&) = delete;

    // Shows text on the status line and handles the window's waiting
    // messages.
    void SetText(const char* text) override;

private:
    SmVentana* window_ = nullptr;
    Label* status_ = nullptr;
};
