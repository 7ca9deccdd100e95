#include "uninstall_session.h"

#include <stdexcept>

#include "install/registration.h"
#include "install_fixture.h"
#include "installer_session.h"
#include "support/dialog_answerer.h"

namespace {
constexpr DWORD kUninstallTimeoutMs = 60000;

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
    DialogAnswerer answerer("OrvNet", answers);
    std::string command = commandLine;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &process)) {
        throw std::runtime_error("cannot start " + commandLine);
    }
    UninstallRun run;
    if (WaitForSingleObject(process.hProcess, kUninstallTimeoutMs) == WAIT_OBJECT_0) {
        DWORD code = 0;
        GetExitCodeProcess(process.hProcess, &code);
        run.exitCode = code;
    } else {
        TerminateProcess(process.hProcess, 99);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    run.boxes = answerer.Texts();
    return run;
}
