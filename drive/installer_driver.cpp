#include "drive/installer_driver.h"

#include <stdexcept>
#include <vector>

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

InstallerDriver::InstallerDriver(const std::string& program, const std::string& workingFolder,
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
    if (screen_ == nullptr) {
        // No destructor runs for a constructor that throws: the program is
        // ended here, so that it cannot outlive its caller.
        TerminateProcess(process_.hProcess, 99);
        WaitForSingleObject(process_.hProcess, kStartTimeoutMs);
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
        throw std::runtime_error("the consent screen did not appear");
    }
    WaitForInputIdle(process_.hProcess, kStartTimeoutMs);
}

InstallerDriver::~InstallerDriver() {
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process_.hProcess, 99);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

std::string InstallerDriver::Text(HWND window) const {
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

void InstallerDriver::Press(int id) const { PostMessageA(Control(id), BM_CLICK, 0, 0); }

HWND InstallerDriver::WaitForBox(DWORD timeoutMs) {
    HWND box = nullptr;
    PollUntil(timeoutMs, [&] {
        box = FindWindowA("#32770", "OrvNet");
        return box != nullptr && box != lastBox_ && IsWindowVisible(box);
    });
    if (box == lastBox_) return nullptr;
    lastBox_ = box;
    return box;
}

std::string InstallerDriver::BoxText(HWND box) const {
    char text[1024] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    return text;
}

std::optional<DWORD> InstallerDriver::WaitForExit(DWORD timeoutMs) {
    if (WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0) return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
}

void InstallerDriver::SaveScreenshot(const std::string& path) const {
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
