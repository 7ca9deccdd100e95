#include "support/ui_fixture.h"

#include <algorithm>

namespace {

constexpr DWORD kLoopGraceMs = 20000;

struct Watchdog {
    DWORD guiThread;
    HANDLE done;
    bool fired = false;
};

DWORD WINAPI WatchLoop(void* parameter) {
    auto* watch = static_cast<Watchdog*>(parameter);
    if (WaitForSingleObject(watch->done, kLoopGraceMs) == WAIT_TIMEOUT) {
        watch->fired = true;
        PostThreadMessageA(watch->guiThread, WM_QUIT, 0, 0);
    }
    return 0;
}

}  // namespace

void UiTest::SetUp() { app = std::make_unique<SmAplicacion>(); }

// Destroying windows posts quit messages; none may reach the next case.
void UiTest::TearDown() {
    windows.clear();
    app.reset();
    PumpWaiting();
    TakeQuitMessage();
}

void ShownDialogTest::SetUp() {
    UiTest::SetUp();
    window = Dialog("Controles", 650, 445);
    window->ShowNormal();
    SetForegroundWindow(window->handle);
}

SmVentana* UiTest::Dialog(const char* title, int width, int height, SmVentana* owner) {
    windows.emplace_back(app->CreateDialogWindow(title, width, height, owner, nullptr));
    return windows.back().get();
}

SmVentana* UiTest::Screen(const char* title, int width, int height, SmVentana* owner) {
    windows.emplace_back(app->CreateScreenWindow(title, width, height, owner, nullptr));
    return windows.back().get();
}

void UiTest::Release(SmVentana* window) {
    auto found = std::find_if(windows.begin(), windows.end(),
                              [window](const auto& held) { return held.get() == window; });
    if (found == windows.end()) return;
    found->release();
    windows.erase(found);
}

void PumpWaiting() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

bool RunModalGuarded(SmVentana& window, int mode) {
    Watchdog watch{GetCurrentThreadId(), CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    HANDLE thread = CreateThread(nullptr, 0, WatchLoop, &watch, 0, nullptr);
    window.RunModal(mode);
    SetEvent(watch.done);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    CloseHandle(watch.done);
    return !watch.fired;
}

bool TakeQuitMessage() {
    MSG message;
    return PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0;
}

std::string Repeat(char c, size_t n) { return std::string(n, c); }
