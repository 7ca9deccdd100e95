#pragma once
// The consent screen's progress bar and status label as the install run's
// progress and status targets.
#include "common/progress_sink.h"
#include "ui/controls/label.h"
#include "ui/controls/progress.h"

// The run moves the bar once per file. A progress bar repaints itself whole
// on every new position (under Wine synchronously, about as long as writing
// a small file), while a bar a few hundred pixels wide shows a product of
// thousands of files in far fewer steps: a position that would not change
// the drawn fill is held back, and Flush sends the last one held.
class ProgressBarSink : public ProgressSink {
public:
    explicit ProgressBarSink(Progress& bar);
    void SetMinimum(int value) override;
    void SetMaximum(int value) override;
    void SetPosition(int value) override;
    // Brings the bar to the last position given.
    void Flush();

private:
    int FillOf(int position) const;
    bool Holds(int value) const;
    void Send(int position);

    Progress& bar_;
    int width_;  // pixels the fill spans
    int sent_ = 0;
    int held_ = 0;
    bool holding_ = false;
};

class LabelStatusSink : public StatusSink {
public:
    explicit LabelStatusSink(Label& label) : label_(label) {}
    void SetText(const char* text) override { label_.SetText(text); }

private:
    Label& label_;
};
