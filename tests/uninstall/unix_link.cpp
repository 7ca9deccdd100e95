#include "unix_link.h"

#include <windows.h>

#include <stdexcept>

namespace {
constexpr int kLinkPolls = 500;
constexpr DWORD kLinkPollMs = 20;

std::string UnixPath(const std::string& windowsPath) {
    using UnixName = char*(CDECL*)(LPCWSTR);
    auto toUnix = reinterpret_cast<UnixName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (toUnix == nullptr) throw std::runtime_error("not running under Wine");
    WCHAR wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide, MAX_PATH);
    char* unix = toUnix(wide);
    if (unix == nullptr) throw std::runtime_error("no Unix path for " + windowsPath);
    std::string result = unix;
    HeapFree(GetProcessHeap(), 0, unix);
    return result;
}
}  // namespace

void MakeUnixLink(const std::string& target, const std::string& link) {
    std::string command = "Z:\\bin\\ln -s \"" + UnixPath(target) + "\" \"" + UnixPath(link) + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        throw std::runtime_error("cannot start ln");
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    // Wine does not wait for a Unix program: its process handle is signalled
    // at once. The link is there when the target can be reached through it.
    for (int attempt = 0; attempt < kLinkPolls; ++attempt) {
        if (GetFileAttributesA(link.c_str()) != INVALID_FILE_ATTRIBUTES) return;
        Sleep(kLinkPollMs);
    }
    throw std::runtime_error("ln made no link at " + link);
}
