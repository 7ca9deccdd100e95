// Runs the install run from its own embedded payload (the tests bind a
// payload to a copy of this program), answers its message boxes as told, and
// writes what it saw to a log file, one line each:
//   min N / max N / pos N     progress calls, in order
//   status TEXT               status line texts, in order
//   box TEXT                  message box texts, in order
//   fired 0|1                 whether the planned fault happened
//   result 0|1, update 0|1    the run's result and IsUpdate
// With --fail, one call is made to fail through the fault seam: the first
// call of the given kind whose path ends with the given text. Reads and
// writes of an open file count as calls on the file opened last.
//
// Usage: install_runner.exe INSTALL_BASE LOG_FILE [--fail CALL PATH_END FAULT] [yes|no|ok]...
//   CALL:  open read write close remove move folder shortcut registry
//   FAULT: disk-full access-denied sharing short-write
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "common/bounded_copy.h"
#include "install/install_state.h"
#include "install/run_install.h"
#include "platform/pc/pc.h"
#include "platform/seam/fault_seam.h"
#include "support/dialog_answerer.h"

namespace {

struct Plan {
    SeamCall call = SeamCall::OpenFile;
    std::string pathEnd;
    SeamFault fault = SeamFault::None;
    bool fired = false;
    std::string lastOpened;
};
Plan ThePlan;

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && _stricmp(text.c_str() + text.size() - end.size(), end.c_str()) == 0;
}

SeamFault FailOnce(SeamCall call, const char* path) {
    if (call == SeamCall::OpenFile && path != nullptr) ThePlan.lastOpened = path;
    if (ThePlan.fired || call != ThePlan.call) return SeamFault::None;
    if (!EndsWith(path != nullptr ? path : ThePlan.lastOpened, ThePlan.pathEnd)) return SeamFault::None;
    ThePlan.fired = true;
    return ThePlan.fault;
}

bool ParseCall(const char* word, SeamCall& call) {
    static const struct {
        const char* word;
        SeamCall call;
    } kCalls[] = {{"open", SeamCall::OpenFile},     {"read", SeamCall::ReadFile},     {"write", SeamCall::WriteFile},
                  {"close", SeamCall::CloseFile},   {"remove", SeamCall::RemoveFile}, {"move", SeamCall::MoveFile},
                  {"folder", SeamCall::MakeFolder}, {"shortcut", SeamCall::Shortcut}, {"registry", SeamCall::Registry}};
    for (const auto& known : kCalls) {
        if (std::strcmp(word, known.word) == 0) {
            call = known.call;
            return true;
        }
    }
    return false;
}

bool ParseFault(const char* word, SeamFault& fault) {
    static const struct {
        const char* word;
        SeamFault fault;
    } kFaults[] = {{"disk-full", SeamFault::DiskFull},
                   {"access-denied", SeamFault::AccessDenied},
                   {"sharing", SeamFault::SharingViolation},
                   {"short-write", SeamFault::ShortWrite}};
    for (const auto& known : kFaults) {
        if (std::strcmp(word, known.word) == 0) {
            fault = known.fault;
            return true;
        }
    }
    return false;
}

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
    constexpr char kUsage[] =
        "usage: install_runner INSTALL_BASE LOG_FILE [--fail CALL PATH_END FAULT] [yes|no|ok]...\n";
    if (argc < 3) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    CopyBounded(InstallBase, sizeof InstallBase, argv[1]);
    int next = 3;
    bool planned = argc > next && std::strcmp(argv[next], "--fail") == 0;
    if (planned) {
        if (argc < next + 4 || !ParseCall(argv[next + 1], ThePlan.call) || !ParseFault(argv[next + 3], ThePlan.fault)) {
            std::fputs(kUsage, stderr);
            return 2;
        }
        ThePlan.pathEnd = argv[next + 2];
        next += 4;
    }
    std::vector<int> answers;
    for (int i = next; i < argc; ++i) answers.push_back(AnswerId(argv[i]));

    ThePC = new PC;
    std::vector<std::string> log;
    RecordingProgress progress(log);
    RecordingStatus status(log);
    bool result;
    std::vector<std::string> boxes;
    {
        DialogAnswerer answerer(MessageCaption, answers);
        if (planned) TheFaultHook = FailOnce;
        result = RunInstall(progress, status);
        TheFaultHook = nullptr;
        boxes = answerer.Texts();
    }
    delete ThePC;

    FILE* out = std::fopen(argv[2], "wb");
    if (out == nullptr) return 3;
    for (const std::string& line : log) std::fprintf(out, "%s\n", line.c_str());
    for (const std::string& text : boxes) std::fprintf(out, "box %s\n", text.c_str());
    std::fprintf(out, "fired %d\nresult %d\nupdate %d\n", ThePlan.fired ? 1 : 0, result ? 1 : 0, IsUpdate ? 1 : 0);
    std::fclose(out);
    return 0;
}
