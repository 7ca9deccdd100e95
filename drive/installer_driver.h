#pragma once
// Drives a built installer from outside, as a user would: starts it, finds
// its consent screen, reads controls, presses buttons, reads message boxes,
// photographs the screen and waits for the program to end. build.sh's
// preview and the tests' installer sessions stand on it.
#include <windows.h>

#include <optional>
#include <string>

class InstallerDriver {
public:
    // Starts `program`, in `workingFolder` when given (otherwise in the
    // caller's own), with `environment` (a UTF-16 environment block) when
    // given, otherwise the caller's own; waits for the consent screen.
    // Throws std::runtime_error when the program cannot be started or its
    // screen does not appear.
    explicit InstallerDriver(const std::string& program, const std::string& workingFolder = "",
                             const std::wstring& environment = L"");
    virtual ~InstallerDriver();  // ends the program if it is still running
    InstallerDriver(const InstallerDriver&) = delete;
    InstallerDriver& operator=(const InstallerDriver&) = delete;

    HWND Screen() const { return screen_; }
    HANDLE Process() const { return process_.hProcess; }
    // The control in slot `id` of the screen (ids follow creation order).
    HWND Control(int id) const { return GetDlgItem(screen_, id); }
    std::string Text(HWND window) const;
    void Press(int id) const;

    // Waits for the next message box captioned "OrvNet" (a new one, not the
    // last one seen); nullptr after the timeout.
    HWND WaitForBox(DWORD timeoutMs = 60000);
    std::string BoxText(HWND box) const;

    // The program's exit code, or nullopt when it did not end in time.
    std::optional<DWORD> WaitForExit(DWORD timeoutMs = 30000);

    // Saves the screen's pixels as a 24-bit BMP file.
    void SaveScreenshot(const std::string& path) const;

private:
    PROCESS_INFORMATION process_ = {};
    HWND screen_ = nullptr;
    HWND lastBox_ = nullptr;
};

// Control slots of the consent screen, in creation order.
enum ScreenControl {
    BannerId = 1,
    FirstLineId = 2,
    ProgressId = 7,
    StatusId = 8,
    AcceptId = 9,
    LeaveId = 10,
    PathId = 11,
};
