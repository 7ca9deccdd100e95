// DesinstalarOrv25.exe of the sample product: the program the uninstall
// entry points to. The sample only tells the user that it was started.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    MessageBoxA(nullptr, "Desinstalador de OrvNet 2.5 (producto de ejemplo).", "OrvNet",
                MB_OK | MB_ICONINFORMATION);
    return 0;
}
