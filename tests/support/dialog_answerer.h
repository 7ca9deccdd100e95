#pragma once
// Answers message boxes as a user would, from a background thread: every box
// with the given caption that appears (in any process of this Wine session)
// has its text recorded and the next scripted button pressed.
#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class DialogAnswerer {
public:
    // answers: button ids (IDOK, IDYES, IDNO) for the boxes in order; once
    // they run out, a box gets IDYES if it has it, else IDOK.
    DialogAnswerer(const std::string& caption, std::vector<int> answers);
    ~DialogAnswerer();
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;

    std::vector<std::string> Texts();

private:
    void Watch();

    std::string caption_;
    std::vector<int> answers_;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<std::string> texts_;
    std::thread thread_;
};

// Presses a button of a message box: the button's own click when it has the
// button, otherwise the command.
void PressDialogButton(HWND box, int id);
