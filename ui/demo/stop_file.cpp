#include "ui/demo/stop_file.h"

#include "ui/sm_ventana.h"

namespace {

constexpr UINT kStopPollMs = 100;

SmVentana* watchedWindow = nullptr;
const char* stopFile = nullptr;

void CALLBACK PollStopFile(HWND, UINT, UINT_PTR, DWORD) {
    if (GetFileAttributesA(stopFile) != INVALID_FILE_ATTRIBUTES) watchedWindow->Destroy();
}

}  // namespace

UINT_PTR CloseWhenFileAppears(SmVentana* window, const char* path) {
    if (path == nullptr) return 0;
    watchedWindow = window;
    stopFile = path;
    return SetTimer(nullptr, 0, kStopPollMs, PollStopFile);
}

void StopWatchingFile(UINT_PTR timer) {
    if (timer != 0) KillTimer(nullptr, timer);
}
