#include "support/installer_session.h"

#include <shlobj.h>

#include <stdexcept>
#include <vector>

#include "support/install_fixture.h"
#include "support/dialog_answerer.h"

namespace {
constexpr DWORD kPollMs = 20;
constexpr DWORD kStartTimeoutMs = 30000;

template <class Found>
bool PollUntil(DWORD timeoutMs, Found found) {
    for (DWORD waited = 0; waited < timeoutMs; waited += kPollMs) {
        if (found()) return true;
        Sleep(kPollMs);
    }
    return found();
}
}  // namespace

InstallerSession::InstallerSession(const std::optional<ByteVector>& payload) {
    Start(CopyProgram("installer_bare.exe", payload));
}

InstallerSession::InstallerSession(const std::string& program, const std::string& workingFolder,
                                   const std::wstring& environment) {
    Start(program, workingFolder, environment);
}

void InstallerSession::Start(const std::string& program, const std::string& workingFolder,
                             const std::wstring& environment) {
    std::string command = "\"" + program + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    const char* folder = workingFolder.empty() ? nullptr : workingFolder.c_str();
    void* block = environment.empty() ? nullptr : const_cast<wchar_t*>(environment.c_str());
    DWORD flags = environment.empty() ? 0 : CREATE_UNICODE_ENVIRONMENT;
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, flags, block, folder, &startup, &process_)) {
        throw std::runtime_error("cannot start the installer");
    }
    PollUntil(kStartTimeoutMs, [this] {
        screen_ = FindWindowA("SmDialogo", "OrvNet");
        return screen_ != nullptr && IsWindowVisible(screen_) && GetDlgItem(screen_, PathId) != nullptr;
    });
    if (screen_ == nullptr) throw std::runtime_error("the consent screen did not appear");
    WaitForInputIdle(process_.hProcess, kStartTimeoutMs);
}

InstallerSession::~InstallerSession() {
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process_.hProcess, 99);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

std::string InstallerSession::Text(HWND window) const {
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

void InstallerSession::Press(int id) const { PostMessageA(Control(id), BM_CLICK, 0, 0); }

HWND InstallerSession::WaitForBox(DWORD timeoutMs) {
    HWND box = nullptr;
    PollUntil(timeoutMs, [&] {
        box = FindWindowA("#32770", "OrvNet");
        return box != nullptr && box != lastBox_ && IsWindowVisible(box);
    });
    if (box == lastBox_) return nullptr;
    lastBox_ = box;
    return box;
}

std::string InstallerSession::BoxText(HWND box) const {
    char text[1024] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    return text;
}

std::optional<DWORD> InstallerSession::WaitForExit(DWORD timeoutMs) {
    if (WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0) return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
}

void InstallerSession::SaveScreenshot(const std::string& path) const {
    // The controls paint after the screen appears; give them a moment.
    constexpr DWORD kSettleMs = 500;
    Sleep(kSettleMs);
    RECT rect;
    GetWindowRect(screen_, &rect);
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    HDC screenDc = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screenDc);
    HBITMAP bitmap = CreateCompatibleBitmap(screenDc, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screenDc, rect.left, rect.top, SRCCOPY);
    SelectObject(memory, old);

    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    int rowBytes = (width * 3 + 3) & ~3;
    std::vector<unsigned char> pixels(static_cast<size_t>(rowBytes) * height);
    GetDIBits(memory, bitmap, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screenDc);

    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    HANDLE out = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(out, &file, sizeof file, &written, nullptr);
    WriteFile(out, &info, sizeof info, &written, nullptr);
    WriteFile(out, pixels.data(), static_cast<DWORD>(pixels.size()), &written, nullptr);
    CloseHandle(out);
}

std::string InstallerSession::AcceptAnswering(int serverAnswer) {
    Press(AcceptId);
    HWND question = WaitForBox();
    if (question == nullptr) return "";
    PressDialogButton(question, serverAnswer);
    HWND done = WaitForBox();
    if (done == nullptr) return "";
    std::string outcome = BoxText(done);
    PressDialogButton(done, IDOK);
    return outcome;
}

std::string CommonProductFolder() {
    char path[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_COMMON_DOCUMENTS, nullptr, 0, path);
    std::string folder(path);
    while (!folder.empty() && folder.back() == '\\') folder.pop_back();
    return folder.substr(0, folder.find_last_of('\\') + 1) + "OrvNet";
}
