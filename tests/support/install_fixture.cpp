#include "support/install_fixture.h"

#include <shlobj.h>
#include <shobjidl.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "support/program_run.h"
#include "support/stored_cabinet.h"

namespace fs = std::filesystem;

namespace {
constexpr DWORD kRunTimeoutMs = 60000;

std::string Trimmed(std::string path) {
    while (path.size() > 3 && path.back() == '\\') path.pop_back();
    return path;
}

}  // namespace

std::string BesideTestProgram(const std::string& name) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, sizeof self);
    std::string path(self);
    return path.substr(0, path.find_last_of('\\') + 1) + name;
}

MachineFolders ReadMachineFolders() {
    char buffer[MAX_PATH] = {};
    MachineFolders folders;
    GetTempPathA(sizeof buffer, buffer);
    folders.temp = Trimmed(buffer);
    GetSystemDirectoryA(buffer, sizeof buffer);
    folders.system = Trimmed(buffer);
    GetWindowsDirectoryA(buffer, sizeof buffer);
    folders.windows = Trimmed(buffer);
    SHGetFolderPathA(nullptr, CSIDL_COMMON_DESKTOPDIRECTORY, nullptr, 0, buffer);
    folders.commonDesktop = Trimmed(buffer);
    return folders;
}

ByteVector PayloadOf(const ArchiveBuilder& archive) { return StoredCabinet(archive.Finish(), "OrvNet.smx"); }

void BindPayload(const std::string& program, const ByteVector& payload) {
    HANDLE update = BeginUpdateResourceA(program.c_str(), FALSE);
    ByteVector bytes = payload;
    if (update == nullptr ||
        !UpdateResourceA(update, RT_RCDATA, MAKEINTRESOURCEA(9001), MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL),
                         bytes.empty() ? nullptr : bytes.data(), static_cast<DWORD>(bytes.size())) ||
        !EndUpdateResourceA(update, FALSE)) {
        throw std::runtime_error("cannot bind the payload to " + program);
    }
}

std::string CopyProgram(const std::string& name, const std::optional<ByteVector>& payload) {
    static int serial = 0;
    std::string work = ReadMachineFolders().temp + "\\program" + std::to_string(++serial);
    CreateDirectoryA(work.c_str(), nullptr);
    std::string program = work + "\\setup.exe";
    if (!CopyFileA(BesideTestProgram(name).c_str(), program.c_str(), FALSE)) {
        throw std::runtime_error("cannot copy " + name);
    }
    if (payload) BindPayload(program, *payload);
    return program;
}

RunLog RunInstaller(const std::string& installBase, const std::optional<ByteVector>& payload,
                    const std::vector<std::string>& answers, const std::optional<PlannedFault>& fault) {
    std::string program = CopyProgram("install_runner.exe", payload);
    std::string log = program + ".log";

    std::string command = QuotedArgument(program) + " " + QuotedArgument(installBase) + " " + QuotedArgument(log);
    if (fault) {
        command += " --fail " + fault->call + " " + QuotedArgument(fault->pathEnd) + " " + fault->fault;
    }
    for (const std::string& answer : answers) command += " " + answer;
    if (!RunProgram(command, kRunTimeoutMs)) throw std::runtime_error("the runner did not start or did not finish");

    RunLog result;
    std::istringstream lines(ReadText(log));
    std::string line;
    while (std::getline(lines, line)) {
        std::string word = line.substr(0, line.find(' '));
        std::string rest = line.size() > word.size() ? line.substr(word.size() + 1) : "";
        if (word == "min" || word == "max" || word == "pos") result.progress.push_back(line);
        if (word == "status") result.statuses.push_back(rest);
        if (word == "box") result.boxes.push_back(rest);
        if (word == "fired") result.fired = rest == "1";
        if (word == "result") result.result = rest == "1";
        if (word == "update") result.update = rest == "1";
    }
    return result;
}

std::optional<std::string> MachineRegistryText(const std::string& key, const std::string& value, REGSAM view) {
    char data[1024] = {};
    DWORD size = sizeof data - 1;
    DWORD type = 0;
    HKEY handle = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ | view, &handle) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    LONG status = RegQueryValueExA(handle, value.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(handle);
    if (status != ERROR_SUCCESS || type != REG_SZ) return std::nullopt;
    return std::string(data);
}

namespace {
// Walks with the ANSI calls, so names come back in the same code page as the
// installer wrote them.
void ListInto(const std::string& root, const std::string& prefix, std::vector<std::string>& entries) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((root + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            entries.push_back(prefix + name + "\\");
            ListInto(root + "\\" + name, prefix + name + "\\", entries);
        } else {
            entries.push_back(prefix + name);
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
}
}  // namespace

std::vector<std::string> ListTree(const std::string& root) {
    std::vector<std::string> entries;
    ListInto(root, "", entries);
    std::sort(entries.begin(), entries.end());
    return entries;
}

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

