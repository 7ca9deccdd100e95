// OrvNet.exe of the sample product: the main program the installer places
// and links from the desktop. It says which program and version it is.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    MessageBoxA(nullptr, "OrvNet 2.5\r\nCálculo de materiales", "OrvNet", MB_OK | MB_ICONINFORMATION);
    return 0;
}
