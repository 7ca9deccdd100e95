#include "support/program_run.h"

std::string QuotedArgument(const std::string& text) {
    std::string tail;
    for (size_t i = text.size(); i > 0 && text[i - 1] == '\\'; --i) tail += '\\';
    return "\"" + text + tail + "\"";
}

HANDLE StartProgram(const std::string& commandLine, const std::string& folder) {
    std::string command = commandLine;  // CreateProcessA may write into it
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &process)) {
        return nullptr;
    }
    CloseHandle(process.hThread);
    return process.hProcess;
}

std::optional<DWORD> RunProgram(const std::string& commandLine, DWORD timeoutMs, const std::string& folder) {
    HANDLE process = StartProgram(commandLine, folder);
    if (process == nullptr) return std::nullopt;
    std::optional<DWORD> code;
    if (WaitForSingleObject(process, timeoutMs) == WAIT_OBJECT_0) {
        DWORD status = 0;
        if (GetExitCodeProcess(process, &status)) code = status;
    } else {
        TerminateProcess(process, 99);
        WaitForSingleObject(process, timeoutMs);
    }
    CloseHandle(process);
    return code;
}
