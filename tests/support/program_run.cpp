#include "support/program_run.h"

#include <sstream>

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

namespace {
// True when the process ended within timeoutMs; otherwise it is ended.
bool EndedInTime(HANDLE process, DWORD timeoutMs) {
    if (WaitForSingleObject(process, timeoutMs) == WAIT_OBJECT_0) return true;
    TerminateProcess(process, 99);
    WaitForSingleObject(process, timeoutMs);
    return false;
}
}  // namespace

std::optional<DWORD> RunProgram(const std::string& commandLine, DWORD timeoutMs, const std::string& folder) {
    HANDLE process = StartProgram(commandLine, folder);
    if (process == nullptr) return std::nullopt;
    std::optional<DWORD> code;
    DWORD status = 0;
    if (EndedInTime(process, timeoutMs) && GetExitCodeProcess(process, &status)) code = status;
    CloseHandle(process);
    return code;
}

std::optional<std::string> RunProgramForOutput(const std::string& commandLine, DWORD timeoutMs) {
    char folder[MAX_PATH] = {};
    char path[MAX_PATH] = {};
    if (GetTempPathA(sizeof folder, folder) == 0 || GetTempFileNameA(folder, "out", 0, path) == 0) return std::nullopt;
    SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
    HANDLE output = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY, nullptr);
    if (output == INVALID_HANDLE_VALUE) return std::nullopt;
    std::string command = commandLine;  // CreateProcessA may write into it
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = output;
    startup.hStdError = output;
    PROCESS_INFORMATION process = {};
    std::optional<std::string> text;
    if (CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
        CloseHandle(process.hThread);
        if (EndedInTime(process.hProcess, timeoutMs)) {
            std::vector<char> bytes(GetFileSize(output, nullptr));
            DWORD got = 0;
            SetFilePointer(output, 0, nullptr, FILE_BEGIN);
            if (bytes.empty() || ReadFile(output, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr)) {
                text = std::string(bytes.data(), got);
            }
        }
        CloseHandle(process.hProcess);
    }
    CloseHandle(output);
    DeleteFileA(path);
    return text;
}

bool RunsUnderWow64() {
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

std::string NativeSystemProgram(const std::string& name) {
    if (!RunsUnderWow64()) return name;
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, sizeof windows);
    return std::string(windows) + "\\sysnative\\" + name;
}

std::optional<std::vector<std::string>> InstalledProgramNames() {
    std::optional<std::string> list = RunProgramForOutput(NativeSystemProgram("uninstaller.exe") + " --list", 60000);
    if (!list) return std::nullopt;
    // Lines of "key|||display name".
    std::istringstream lines(*list);
    std::string line;
    std::vector<std::string> names;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        size_t bars = line.find("|||");
        if (bars != std::string::npos) names.push_back(line.substr(bars + 3));
    }
    return names;
}
