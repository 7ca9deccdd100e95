#pragma once
// A progress target that writes every call into a shared event log, so a
// test sees their order among other events (such as pumped messages).
#include <string>
#include <vector>

#include "common/progress_sink.h"

struct ProgressEvent {
    char kind;  // 'x' maximum, 'n' minimum, 'p' position, 'm' a pumped message
    int value;
};

class RecordingProgress : public ProgressSink {
public:
    explicit RecordingProgress(std::vector<ProgressEvent>& log) : log_(log) {}
    void SetMinimum(int value) override { log_.push_back({'n', value}); }
    void SetMaximum(int value) override { log_.push_back({'x', value}); }
    void SetPosition(int value) override { log_.push_back({'p', value}); }

private:
    std::vector<ProgressEvent>& log_;
};

// The kinds of the events in order, e.g. "xnmpmpm".
inline std::string Kinds(const std::vector<ProgressEvent>& log) {
    std::string kinds;
    for (const ProgressEvent& event : log) kinds += event.kind;
    return kinds;
}
