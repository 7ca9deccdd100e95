#include "support/message_hook.h"

namespace {

MessageHook* active = nullptr;

LRESULT CALLBACK Record(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && active != nullptr) {
        auto* message = reinterpret_cast<CWPSTRUCT*>(lParam);
        DWORD style = 0, exStyle = 0;
        if (message->message == WM_NCCREATE) {
            auto* creation = reinterpret_cast<CREATESTRUCTA*>(message->lParam);
            style = static_cast<DWORD>(creation->style);
            exStyle = creation->dwExStyle;
        }
        active->sent.push_back(
            {message->hwnd, message->message, message->wParam, message->lParam, style, exStyle});
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

MessageHook::MessageHook()
    : hook_(SetWindowsHookExA(WH_CALLWNDPROC, Record, nullptr, GetCurrentThreadId())) {
    active = this;
}

MessageHook::~MessageHook() {
    active = nullptr;
    UnhookWindowsHookEx(hook_);
}

std::vector<MessageHook::Sent> MessageHook::To(HWND window, UINT message) const {
    std::vector<Sent> found;
    for (const Sent& s : sent) {
        if (s.window == window && s.message == message) found.push_back(s);
    }
    return found;
}

int MessageHook::IndexOf(HWND window, UINT message) const {
    for (size_t i = 0; i < sent.size(); ++i) {
        if (sent[i].window == window && sent[i].message == message) return static_cast<int>(i);
    }
    return -1;
}
