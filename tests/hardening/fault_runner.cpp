// Runs the install run from its own embedded payload (tests bind one to a
// copy of this program) with one call made to fail through the fault seam:
// the first call of the given kind whose path ends with the given text.
// Reads and writes of an open file count as calls on the file opened last.
// Writes one line each to the log: "box TEXT" per message box, then
// "fired 0|1", "result 0|1", "update 0|1".
//
// Usage: fault_runner.exe INSTALL_BASE LOG_FILE CALL PATH_END FAULT [yes|no|ok]...
//   CALL:  open read write close remove move folder shortcut registry
//   FAULT: disk-full access-denied sharing short-write
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "install/install_state.h"
#include "install/run_install.h"
#include "platform/seam/fault_seam.h"
#include "platform/pc/pc.h"
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

class SilentProgress : public ProgressSink {
public:
    void SetMinimum(int) override {}
    void SetMaximum(int) override {}
    void SetPosition(int) override {}
};

class SilentStatus : public StatusSink {
public:
    void SetText(const char*) override {}
};

int AnswerId(const char* word) {
    if (std::strcmp(word, "no") == 0) return IDNO;
    if (std::strcmp(word, "ok") == 0) return IDOK;
    return IDYES;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 6 || !ParseCall(argv[3], ThePlan.call) || !ParseFault(argv[5], ThePlan.fault)) {
        std::fprintf(stderr, "usage: fault_runner INSTALL_BASE LOG_FILE CALL PATH_END FAULT [yes|no|ok]...\n");
        return 2;
    }
    std::strncpy(InstallBase, argv[1], sizeof InstallBase - 1);
    ThePlan.pathEnd = argv[4];
    std::vector<int> answers;
    for (int i = 6; i < argc; ++i) answers.push_back(AnswerId(argv[i]));

    ThePC = new PC;
    SilentProgress progress;
    SilentStatus status;
    bool result;
    std::vector<std::string> boxes;
    {
        DialogAnswerer answerer(MessageCaption, answers);
        TheFaultHook = FailOnce;
        result = RunInstall(progress, status);
        TheFaultHook = nullptr;
        boxes = answerer.Texts();
    }
    delete ThePC;

    FILE* out = std::fopen(argv[2], "wb");
    if (out == nullptr) return 3;
    for (const std::string& text : boxes) std::fprintf(out, "box %s\n", text.c_str());
    std::fprintf(out, "fired %d\nresult %d\nupdate %d\n", ThePlan.fired ? 1 : 0, result ? 1 : 0, IsUpdate ? 1 : 0);
    std::fclose(out);
    return 0;
}
