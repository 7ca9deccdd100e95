#pragma once
// What a long operation needs of a progress bar and of a status line. The
// install run and the library's long transfers report through these, so
// they can be driven by the window framework's Progress and Label controls
// (see app/) or by a recording fake in tests.
class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    virtual void SetMinimum(int value) = 0;
    virtual void SetMaximum(int value) = 0;
    virtual void SetPosition(int value) = 0;
};

class StatusSink {
public:
    virtual ~StatusSink() = default;
    virtual void SetText(const char* text) = 0;
};
