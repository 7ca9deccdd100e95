#include "uninstall_session.h"

#include <stdexcept>

#include "install/registration.h"
#include "support/install_fixture.h"
#include "support/installer_session.h"
#include "support/program_run.h"
#include "support/dialog_answerer.h"

namespace {
constexpr DWORD kUninstallTimeoutMs = 60000;
constexpr DWORD kPollMs = 20;
constexpr int kMessageBoxTextId = 0xFFFF;

ByteVector SamplePayload() {
    std::string cabinet = ReadText(BesideTestProgram("uninstall_sample.cab"));
    return ByteVector(cabinet.begin(), cabinet.end());
}
}  // namespace

std::string InstallSample(std::optional<int> serverAnswer) {
    InstallerSession session(SamplePayload());
    session.Press(AcceptId);
    if (serverAnswer) {
        HWND question = session.WaitForBox();
        if (question == nullptr) throw std::runtime_error("no server question");
        PressDialogButton(question, *serverAnswer);
    }
    HWND done = session.WaitForBox();
    if (done == nullptr) throw std::runtime_error("the installer did not finish");
    std::string text = session.BoxText(done);
    PressDialogButton(done, IDOK);
    if (session.WaitForExit() != 0u) throw std::runtime_error("the installer failed: " + text);
    return text;
}

std::string UninstallString() { return MachineRegistryText(UninstallKey, "UninstallString").value_or(""); }

UninstallRun RunUninstall(const std::string& commandLine, const std::vector<int>& answers,
                          const std::string& folder) {
    HANDLE process = StartProgram(commandLine, folder);
    if (process == nullptr) throw std::runtime_error("cannot start " + commandLine);
    UninstallRun run;
    HWND last = nullptr;
    for (DWORD waited = 0; waited < kUninstallTimeoutMs && !run.exitCode; waited += kPollMs) {
        // A box stays until the press is handled; a new box is a new handle.
        HWND box = FindWindowA("#32770", "OrvNet");
        if (box != nullptr && box != last && IsWindowVisible(box)) {
            char text[4096] = {};
            GetDlgItemTextA(box, kMessageBoxTextId, text, sizeof text);
            run.boxes.push_back(text);
            size_t index = run.boxes.size() - 1;
            int answer = index < answers.size() ? answers[index] : IDOK;
            if (answer == DefaultButton) answer = LOWORD(SendMessageA(box, DM_GETDEFID, 0, 0));
            PressDialogButton(box, answer);
            last = box;
        }
        if (WaitForSingleObject(process, kPollMs) == WAIT_OBJECT_0) {
            DWORD code = 0;
            GetExitCodeProcess(process, &code);
            run.exitCode = code;
        }
    }
    if (!run.exitCode) TerminateProcess(process, 99);
    CloseHandle(process);
    return run;
}
