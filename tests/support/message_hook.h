#pragma once
#include <windows.h>

#include <vector>

// Records every message sent to a window procedure of this thread while it
// lives, including those sent before a procedure of ours is in place (the
// set-up messages of window creation). One at a time.
class MessageHook {
public:
    struct Sent {
        HWND window;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        // For WM_NCCREATE: the styles the window was asked for, before its
        // class procedure could adjust them.
        DWORD createStyle;
        DWORD createExStyle;
    };

    MessageHook();
    ~MessageHook();
    MessageHook(const MessageHook&) = delete;
    MessageHook& operator=(const MessageHook&) = delete;

    // The messages of one kind sent to one window, in order.
    std::vector<Sent> To(HWND window, UINT message) const;
    // Position of the first message of that kind to the window, or -1.
    int IndexOf(HWND window, UINT message) const;

    std::vector<Sent> sent;

private:
    HHOOK hook_;
};
