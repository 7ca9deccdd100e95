// The consent screen receives messages while the install run pumps them:
// closing it, clicking its buttons again, resizing it, a posted quit. The
// program must never crash or stay behind; it ends with 0 once the run and
// its message boxes are over.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/install_fixture.h"
#include "support/installer_session.h"
#include "support/dialog_answerer.h"

namespace {

constexpr int kRepeats = 20;
constexpr DWORD kBetweenMs = 5;

struct ScreenMessage {
    const char* what;
    int control;  // 0: the screen itself
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

const ScreenMessage kMessages[] = {
    {"close", 0, WM_CLOSE, 0, 0},
    {"system close command", 0, WM_SYSCOMMAND, SC_CLOSE, 0},
    {"Acepto clicked again", AcceptId, BM_CLICK, 0, 0},
    {"Salir clicked", LeaveId, BM_CLICK, 0, 0},
    {"resize", 0, WM_SIZE, SIZE_RESTORED, MAKELPARAM(200, 100)},
    {"posted quit", 0, WM_QUIT, 0, 0},
    {"destroy", 0, WM_DESTROY, 0, 0},
};

void PrintTo(const ScreenMessage& m, std::ostream* out) { *out << m.what; }

ArchiveBuilder Product() {
    ArchiveBuilder archive("OrvNet");
    archive.File("OrvNet.exe", "main program").Directory("Data");
    // Enough records for the run to be pumping while the messages arrive.
    for (int i = 0; i < 300; ++i) archive.File("Data\\f" + std::to_string(i) + ".bin", std::string(3000, 'f'));
    return archive;
}

class ScreenMessages : public ::testing::TestWithParam<ScreenMessage> {};

TEST_P(ScreenMessages, DuringTheRunNeverCrashOrKeepTheProgramRunning) {
    const ScreenMessage& m = GetParam();
    InstallerSession session(PayloadOf(Product()));
    HWND target = m.control == 0 ? session.Screen() : session.Control(m.control);
    session.Press(AcceptId);
    for (int i = 0; i < kRepeats; ++i) {
        PostMessageA(target, m.message, m.wParam, m.lParam);
        Sleep(kBetweenMs);
    }
    std::optional<DWORD> code;
    std::string boxes;
    for (int round = 0; round < 30 && !code; ++round) {
        HWND box = session.WaitForBox(1000);
        if (box != nullptr) {
            boxes += "[" + session.BoxText(box) + "] ";
            PressDialogButton(box, GetDlgItem(box, IDYES) ? IDYES : IDOK);
        }
        code = session.WaitForExit(0);
    }
    if (!code) {
        // Still running with nothing left to answer: leave as a user would.
        session.Press(LeaveId);
        code = session.WaitForExit(5000);
    }
    ASSERT_TRUE(code.has_value()) << m.what << ": the program did not end; boxes: " << boxes;
    EXPECT_EQ(*code, 0u) << m.what << "; boxes: " << boxes;
}

std::string CaseName(const ::testing::TestParamInfo<ScreenMessage>& info) {
    std::string name;
    for (const char* p = info.param.what; *p != '\0'; ++p) {
        name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(Messages, ScreenMessages, ::testing::ValuesIn(kMessages), CaseName);

}  // namespace
