#pragma once
// The installer's one screen: banner, disclaimer, server note, progress bar,
// status line, target path line and the buttons "Acepto" and "Salir".
#include <windows.h>

class SmAplicacion;
class SmVentana;
class Image;
class Label;
class Progress;
class Boton;

// Process-wide, created at start-up and read by the handlers.
struct ConsentScreen {
    SmVentana* window = nullptr;
    Image* banner = nullptr;
    Label* lines[5] = {};
    Progress* progress = nullptr;
    Label* status = nullptr;
    Boton* accept = nullptr;
    Boton* leave = nullptr;
    Label* path = nullptr;
    HICON icon = nullptr;
};
extern ConsentScreen Screen;

// Creates the screen and its controls in their order and binds the
// handlers. The screen is not shown yet.
void CreateConsentScreen(SmAplicacion& application);

constexpr int ScreenWidth = 650;
constexpr int ScreenHeight = 445;
