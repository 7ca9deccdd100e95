#pragma once
// The consent screen's progress bar and status label as the install run's
// progress and status targets.
#include "platform/progress_sink.h"
#include "ui/controls/label.h"
#include "ui/controls/progress.h"

class ProgressBarSink : public ProgressSink {
public:
    explicit ProgressBarSink(Progress& bar) : bar_(bar) {}
    void SetMinimum(int value) override { bar_.SetMinimum(value); }
    void SetMaximum(int value) override { bar_.SetMaximum(value); }
    void SetPosition(int value) override { bar_.SetPosition(value); }

private:
    Progress& bar_;
};

class LabelStatusSink : public StatusSink {
public:
    explicit LabelStatusSink(Label& label) : label_(label) {}
    void SetText(const char* text) override { label_.SetText(text); }

private:
    Label& label_;
};
