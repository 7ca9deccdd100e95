#include "app/control_sinks.h"

#include <windows.h>

namespace {

// The width the bar's fill spans: the control draws it inside a one-pixel
// frame of its client area.
int FillWidth(HWND window) {
    constexpr int kFrame = 1;
    RECT area{};
    GetClientRect(window, &area);
    return area.right - area.left - 2 * kFrame;
}

}  // namespace

ProgressBarSink::ProgressBarSink(Progress& bar) : bar_(bar), width_(FillWidth(bar.handle)) {}

void ProgressBarSink::SetMinimum(int value) {
    Flush();
    bar_.SetMinimum(value);
}

void ProgressBarSink::SetMaximum(int value) {
    Flush();
    bar_.SetMaximum(value);
}

// Pixels of fill the bar draws for a position (within a range that has
// one), rounded to the nearest pixel as the control computes it.
int ProgressBarSink::FillOf(int position) const {
    int low = bar_.minimum;
    int high = bar_.maximum;
    int clamped = position < low ? low : (position > high ? high : position);
    return MulDiv(clamped - low, width_, high - low);
}

// A position is held back when it lies strictly inside the range and draws
// the fill already drawn; the ends, and anything outside them, are sent.
bool ProgressBarSink::Holds(int value) const {
    if (bar_.maximum <= bar_.minimum || width_ <= 0) return false;
    if (value <= bar_.minimum || value >= bar_.maximum) return false;
    return FillOf(value) == FillOf(sent_);
}

void ProgressBarSink::SetPosition(int value) {
    if (Holds(value)) {
        held_ = value;
        holding_ = true;
        return;
    }
    Send(value);
}

void ProgressBarSink::Flush() {
    if (holding_) Send(held_);
}

void ProgressBarSink::Send(int position) {
    bar_.SetPosition(position);
    sent_ = position;
    holding_ = false;
}
