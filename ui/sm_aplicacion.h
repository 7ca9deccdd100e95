#pragma once
#include <windows.h>

class SmVentana;

// The framework's application object: created once before any window and
// deleted after the last one. It initialises the common controls and
// registers the window classes "SmPantalla" and "SmDialogo", and "SmPicture"
// for the Eje control.
class SmAplicacion {
public:
    SmAplicacion();
    // Releases the brushes and unregisters the classes this object
    // registered.
    ~SmAplicacion();
    SmAplicacion(const SmAplicacion&) = delete;
    SmAplicacion& operator=(const SmAplicacion&) = delete;

    // New hidden, centred windows; width and height are the outer size,
    // owner may be null, menu names a menu resource or is null. The caller
    // deletes the result.
    SmVentana* CreateDialogWindow(const char* title, int width, int height, SmVentana* owner,
                                  const char* menu);
    SmVentana* CreateScreenWindow(const char* title, int width, int height, SmVentana* owner,
                                  const char* menu);

    HINSTANCE instance = nullptr;
    WNDCLASSEXA screenClass = {};
    WNDCLASSEXA dialogClass = {};
    HBRUSH whiteBrush = nullptr;
    HBRUSH faceBrush = nullptr;
    // A second application object in the same process finds the classes
    // registered already; it must not unregister them under the first one.
    bool registeredScreen = false;
    bool registeredDialog = false;
    bool registeredPicture = false;
};
