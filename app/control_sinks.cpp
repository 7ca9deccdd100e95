#include "app/control_sinks.h"

#include <windows.h>

namespace {

int ClientWidth(HWND window) {
    RECT area{};
    GetClientRect(window, &area);
    return area.right - area.left;
}

}  // namespace

ProgressBarSink::ProgressBarSink(Progress& bar) : bar_(bar), width_(ClientWidth(bar.handle)) {}

void ProgressBarSink::SetMinimum(int value) {
    Flush();
    bar_.SetMinimum(value);
}

void ProgressBarSink::SetMaximum(int value) {
    Flush();
    bar_.SetMaximum(value);
}

// Pixels of fill the bar draws for a position (within a range that has one).
long long ProgressBarSink::FillOf(int position) const {
    long long low = bar_.minimum;
    long long high = bar_.maximum;
    long long clamped = position < low ? low : (position > high ? high : position);
    return (clamped - low) * width_ / (high - low);
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
