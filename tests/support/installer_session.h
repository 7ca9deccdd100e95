#pragma once
// Drives the real installer from outside, as a user would: starts a copy of
// it with a payload, finds its consent screen, reads controls, presses
// buttons, answers message boxes and waits for the program to end.
#include <windows.h>

#include <optional>
#include <string>

#include "support/archive_builder.h"

class InstallerSession {
public:
    // A copy of the bare installer with this payload bound to it.
    explicit InstallerSession(const std::optional<ByteVector>& payload);
    // An installer program as it is, started in `workingFolder` when given
    // (otherwise in the test's own), with `environment` (a UTF-16
    // environment block) when given, otherwise the test's own.
    explicit InstallerSession(const std::string& program, const std::string& workingFolder = "",
                              const std::wstring& environment = L"");
    ~InstallerSession();  // ends the program if it is still running
    InstallerSession(const InstallerSession&) = delete;
    InstallerSession& operator=(const InstallerSession&) = delete;

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

    // A fresh installation's conversation: presses Acepto, answers the
    // server question with `serverAnswer` and confirms the outcome box. The
    // outcome's text, or "" when a box did not come.
    std::string AcceptAnswering(int serverAnswer);

    // The program's exit code, or nullopt when it did not end in time.
    std::optional<DWORD> WaitForExit(DWORD timeoutMs = 30000);

    // Saves the screen's pixels as a 24-bit BMP file.
    void SaveScreenshot(const std::string& path) const;

private:
    void Start(const std::string& program, const std::string& workingFolder = "",
               const std::wstring& environment = L"");

    PROCESS_INFORMATION process_ = {};
    HWND screen_ = nullptr;
    HWND lastBox_ = nullptr;
};

// Where a fresh installation goes when the user has no documents folder of
// their own: "OrvNet" beside the common documents folder.
std::string CommonProductFolder();

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
