// Runs the install run from its own embedded payload (the tests bind a
// payload to a copy of this program), answers its message boxes as told, and
// writes what it saw to a log file, one line each:
//   min N / max N / pos N     progress calls, in order
//   status TEXT               status line texts, in order
//   box TEXT                  message box texts, in order
//   result 0|1, update 0|1    the run's result and IsUpdate
//
// Usage: install_runner.exe INSTALL_BASE LOG_FILE [yes|no|ok]...
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "install/install_state.h"
#include "install/run_install.h"
#include "platform/pc/pc.h"
#include "support/dialog_answerer.h"

namespace {

class RecordingProgress : public ProgressSink {
public:
    explicit RecordingProgress(std::vector<std::string>& log) : log_(log) {}
    void SetMinimum(int value) override { log_.push_back("min " + std::to_string(value)); }
    void SetMaximum(int value) override { log_.push_back("max " + std::to_string(value)); }
    void SetPosition(int value) override { log_.push_back("pos " + std::to_string(value)); }

private:
    std::vector<std::string>& log_;
};

class RecordingStatus : public StatusSink {
public:
    explicit RecordingStatus(std::vector<std::string>& log) : log_(log) {}
    void SetText(const char* text) override { log_.push_back(std::string("status ") + text); }

private:
    std::vector<std::string>& log_;
};

int AnswerId(const char* word) {
    if (std::strcmp(word, "no") == 0) return IDNO;
    if (std::strcmp(word, "ok") == 0) return IDOK;
    return IDYES;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: install_runner INSTALL_BASE LOG_FILE [yes|no|ok]...\n");
        return 2;
    }
    std::strncpy(InstallBase, argv[1], sizeof InstallBase - 1);
    std::vector<int> answers;
    for (int i = 3; i < argc; ++i) answers.push_back(AnswerId(argv[i]));

    ThePC = new PC;
    std::vector<std::string> log;
    RecordingProgress progress(log);
    RecordingStatus status(log);
    bool result;
    std::vector<std::string> boxes;
    {
        DialogAnswerer answerer(MessageCaption, answers);
        result = RunInstall(progress, status);
        boxes = answerer.Texts();
    }
    delete ThePC;

    FILE* out = std::fopen(argv[2], "wb");
    if (out == nullptr) return 3;
    for (const std::string& line : log) std::fprintf(out, "%s\n", line.c_str());
    for (const std::string& text : boxes) std::fprintf(out, "box %s\n", text.c_str());
    std::fprintf(out, "result %d\nupdate %d\n", result ? 1 : 0, IsUpdate ? 1 : 0);
    std::fclose(out);
    return 0;
}
