#include "dialog_answerer.h"

#include <chrono>

namespace {
constexpr auto kPollInterval = std::chrono::milliseconds(20);
constexpr int kMessageBoxTextId = 0xFFFF;
}

void PressDialogButton(HWND box, int id) {
    HWND button = GetDlgItem(box, id);
    if (button != nullptr) {
        PostMessageA(button, BM_CLICK, 0, 0);
    } else {
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
    }
}

DialogAnswerer::DialogAnswerer(const std::string& caption, std::vector<int> answers)
    : caption_(caption), answers_(std::move(answers)), thread_(&DialogAnswerer::Watch, this) {}

DialogAnswerer::~DialogAnswerer() {
    stop_ = true;
    thread_.join();
}

std::vector<std::string> DialogAnswerer::Texts() {
    std::lock_guard<std::mutex> lock(mutex_);
    return texts_;
}

void DialogAnswerer::Watch() {
    HWND last = nullptr;
    size_t next = 0;
    while (!stop_) {
        HWND box = FindWindowA("#32770", caption_.c_str());
        // A box stays until the press is processed; a new box (even with the
        // same caption) is a new handle.
        if (box != nullptr && box != last && IsWindowVisible(box)) {
            char text[1024] = {};
            GetDlgItemTextA(box, kMessageBoxTextId, text, sizeof text);
            {
                std::lock_guard<std::mutex> lock(mutex_);
                texts_.push_back(text);
            }
            int id = next < answers_.size() ? answers_[next] : (GetDlgItem(box, IDYES) ? IDYES : IDOK);
            ++next;
            PressDialogButton(box, id);
            last = box;
        }
        std::this_thread::sleep_for(kPollInterval);
    }
}
