// OrvServer.exe of the sample product: the data server that starts with
// Windows. It keeps a hidden window and waits until it is closed (WM_CLOSE)
// or told to quit (WM_QUIT), so that starting and stopping it can be tested.
#include <windows.h>

namespace {
LRESULT CALLBACK ServerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = ServerProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "OrvServer";
    if (!RegisterClassA(&windowClass)) return 1;
    // A top-level window that is never shown: other programs find it with
    // FindWindowA("OrvServer", "OrvServer") and can close it.
    HWND window = CreateWindowA("OrvServer", "OrvServer", WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr, instance,
                                nullptr);
    if (window == nullptr) return 1;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
