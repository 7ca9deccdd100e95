// The real installer end to end, driven from outside as a user would, each
// test in its own Wine prefix.
#include <gtest/gtest.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <commctrl.h>

#include <algorithm>

#include "app/accept_flow.h"
#include "install/registration.h"
#include "install/run_install.h"
#include "support/install_fixture.h"
#include "support/installer_session.h"
#include "support/program_run.h"
#include "support/dialog_answerer.h"

namespace {

std::string ParentOf(int csidl) {
    char path[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, csidl, nullptr, 0, path);
    std::string folder(path);
    while (!folder.empty() && folder.back() == '\\') folder.pop_back();
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

ArchiveBuilder Product(int extraFiles = 0) {
    ArchiveBuilder archive("OrvNet");
    archive.File("OrvNet.exe", "main program")
        .File("DesinstalarOrv25.exe", "uninstaller")
        .Directory("Data")
        .File("Data\\Clientes.tbl", "packaged", true)
        .Directory("Marcas")
        .Directory("Marcas\\BRIVANT")
        .Directory("OrvServer")
        .File("OrvServer\\OrvServer.exe", "server");
    for (int i = 0; i < extraFiles; ++i) archive.File("Data\\extra" + std::to_string(i) + ".bin", std::string(4000, 'e'));
    return archive;
}

void Put(const std::string& path, const std::string& text) {
    std::string folder = path.substr(0, path.find_last_of('\\'));
    SHCreateDirectoryExA(nullptr, folder.c_str(), nullptr);
    WriteWholeFile(path, text);
}

std::string ArtifactPath(const std::string& name) {
    std::string path = std::string("Z:") + SM_ARTIFACT_DIR + "/" + name;
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    SHCreateDirectoryExA(nullptr, path.substr(0, path.find_last_of('\\')).c_str(), nullptr);
    return path;
}

class Installer : public ::testing::Test {
protected:
    std::string commonBase = ParentOf(CSIDL_COMMON_DOCUMENTS);
    std::string personalBase = ParentOf(CSIDL_PERSONAL);
    std::string CommonProduct() const { return commonBase + "OrvNet"; }
    std::string PersonalProduct() const { return personalBase + "OrvNet"; }
};

// The screen's texts are written with escapes, byte by byte, so that these
// tests pin the Windows-1252 bytes the installer shows whatever character
// set this file is compiled with.
struct ExpectedControl {
    int id;
    const char* className;
    const char* text;
    int left, top, width, height;
};

const ExpectedControl kControls[] = {
    {BannerId, "Static", "B", 0, 0, 650, 138},
    {2, "Static", "Velmarisco no se responsabiliza por errores ocasionados por el mal uso de este", 30, 145, 630, 18},
    {3, "Static", "producto, as\xED como tampoco por errores de c\xE1lculo que el mismo involuntariamente contenga.", 30, 165,
     630, 18},
    {4, "Static", "Tambi\xE9n instala y ejecuta un programa llamado OrvServer que provee datos en la red.", 30, 215, 630, 18},
    {5, "Static", "Esto permite que usted pueda usarlo en otras m\xE1quinas de su red local.", 30, 235, 630, 18},
    {6, "Static", "Si no est\xE1 de acuerdo puede optar por salir de la instalaci\xF3n.", 30, 265, 630, 18},
    {ProgressId, "msctls_progress32", "", 20, 310, 600, 9},
    {StatusId, "Static", " ", 30, 340, 300, 18},
    {AcceptId, "Button", "Acepto", 455, 350, 80, 28},
    {LeaveId, "Button", "Salir", 540, 350, 80, 28},
    {PathId, "Static", " --- ", 30, 385, 300, 18},
};

TEST_F(Installer, ConsentScreenShowsEveryControlInPlaceAndSalirLeavesWithoutWriting) {
    InstallerSession session(PayloadOf(Product()));
    HWND screen = session.Screen();
    session.SaveScreenshot(ArtifactPath("consent_screen.bmp"));

    RECT outer;
    GetWindowRect(screen, &outer);
    EXPECT_EQ(outer.right - outer.left, 650);
    EXPECT_EQ(outer.bottom - outer.top, 445);
    EXPECT_EQ(outer.left, GetSystemMetrics(SM_CXSCREEN) / 2 - 325);
    EXPECT_EQ(outer.top, GetSystemMetrics(SM_CYSCREEN) / 2 - 222);
    LONG style = GetWindowLongA(screen, GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_TRUE(style & WS_THICKFRAME);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_EQ(session.Text(screen), "OrvNet");

    for (const ExpectedControl& c : kControls) {
        SCOPED_TRACE(c.text);
        HWND control = session.Control(c.id);
        ASSERT_NE(control, nullptr);
        char className[64] = {};
        GetClassNameA(control, className, sizeof className);
        EXPECT_STRCASEEQ(className, c.className);
        if (c.id != BannerId) {
            EXPECT_EQ(session.Text(control), c.text);
        }
        RECT rect;
        GetWindowRect(control, &rect);
        MapWindowPoints(nullptr, screen, reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_EQ(rect.left, c.left);
        EXPECT_EQ(rect.top, c.top);
        EXPECT_EQ(rect.right - rect.left, c.width);
        EXPECT_EQ(rect.bottom - rect.top, c.height);
    }

    session.Press(LeaveId);
    EXPECT_EQ(session.WaitForExit(), 0u);
    EXPECT_FALSE(PathFileExistsA(CommonProduct().c_str()));
    EXPECT_FALSE(PathFileExistsA((ReadMachineFolders().temp + "\\OrvNet.cab").c_str()));
}

TEST_F(Installer, ResizingSnapsBackWhileMovingKeepsTheNewPlace) {
    InstallerSession session(PayloadOf(Product()));
    HWND screen = session.Screen();
    SetWindowPos(screen, nullptr, 0, 0, 800, 300, SWP_NOMOVE | SWP_NOZORDER);
    RECT rect;
    GetWindowRect(screen, &rect);
    EXPECT_EQ(rect.right - rect.left, 650);
    EXPECT_EQ(rect.bottom - rect.top, 445);

    SetWindowPos(screen, nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    GetWindowRect(screen, &rect);
    EXPECT_EQ(rect.left, 40);
    EXPECT_EQ(rect.top, 30);
    EXPECT_EQ(rect.right - rect.left, 650);
    session.Press(LeaveId);
    EXPECT_EQ(session.WaitForExit(), 0u);
}

struct FreshCase {
    const char* name;
    int answer;
    bool registered;
};

class FreshInstall : public Installer, public ::testing::WithParamInterface<FreshCase> {};

TEST_P(FreshInstall, InstallsBelowTheCommonFolderAndEndsWithExitCodeZero) {
    const FreshCase& c = GetParam();
    InstallerSession session(PayloadOf(Product()));
    session.Press(AcceptId);

    HWND question = session.WaitForBox();
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(session.BoxText(question), ServerQuestionText);
    EXPECT_EQ(session.Text(session.Control(PathId)), commonBase + "OrvNet\\OrvNet.exe");
    EXPECT_FALSE(IsWindowEnabled(session.Control(AcceptId)));
    EXPECT_FALSE(IsWindowEnabled(session.Control(LeaveId)));
    PressDialogButton(question, c.answer);

    HWND done = session.WaitForBox();
    ASSERT_NE(done, nullptr);
    EXPECT_EQ(session.BoxText(done), InstalledText);
    EXPECT_EQ(SendMessageA(session.Control(ProgressId), PBM_GETPOS, 0, 0), 4);
    EXPECT_EQ(session.Text(session.Control(StatusId)), StatusInstalling);
    PressDialogButton(done, IDOK);

    EXPECT_EQ(session.WaitForExit(), 0u);
    EXPECT_EQ(ReadText(CommonProduct() + "\\OrvNet.exe"), "main program");
    EXPECT_EQ(MachineRegistryText(RunKey, "OrvServer").has_value(), c.registered);
    EXPECT_EQ(MachineRegistryText(UninstallKey, "DisplayName").has_value(), c.registered);
    EXPECT_TRUE(PathFileExistsA((CommonProduct() + "\\Data\\ConfigL.tbl").c_str()));
    if (RunsUnderWow64()) {
        // Where 64-bit Windows keeps a 32-bit program's values, and only there.
        EXPECT_EQ(MachineRegistryText(RunKey, "OrvServer", KEY_WOW64_32KEY).has_value(), c.registered);
        EXPECT_EQ(MachineRegistryText(UninstallKey, "DisplayName", KEY_WOW64_32KEY).has_value(), c.registered);
        EXPECT_FALSE(MachineRegistryText(RunKey, "OrvServer", KEY_WOW64_64KEY));
        EXPECT_FALSE(MachineRegistryText(UninstallKey, "DisplayName", KEY_WOW64_64KEY));
    }
    // The system's own list of installed programs shows it, once.
    std::optional<std::vector<std::string>> names = InstalledProgramNames();
    ASSERT_TRUE(names);
    EXPECT_EQ(std::count(names->begin(), names->end(), "Orv-Net 2.5"), c.registered ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Answers, FreshInstall,
                         ::testing::Values(FreshCase{"Yes", IDYES, true}, FreshCase{"No", IDNO, false}),
                         [](const ::testing::TestParamInfo<FreshCase>& info) { return info.param.name; });

TEST_F(Installer, InstallationBelowTheUserProfileWinsAndIsUpdated) {
    Put(PersonalProduct() + "\\OrvNet.exe", "old");
    Put(PersonalProduct() + "\\Marcas\\BRIVANT\\m", "");
    Put(PersonalProduct() + "\\Data\\Clientes.tbl", "user data");
    Put(CommonProduct() + "\\OrvNet.exe", "other installation");
    InstallerSession session(PayloadOf(Product()));
    session.Press(AcceptId);

    HWND done = session.WaitForBox();
    ASSERT_NE(done, nullptr);
    EXPECT_EQ(session.BoxText(done), UpdatedText);
    EXPECT_EQ(session.Text(session.Control(PathId)), personalBase + "OrvNet\\OrvNet.exe");
    PressDialogButton(done, IDOK);

    EXPECT_EQ(session.WaitForExit(), 0u);
    EXPECT_EQ(ReadText(PersonalProduct() + "\\OrvNet.exe"), "main program");
    EXPECT_EQ(ReadText(PersonalProduct() + "\\Data\\Clientes.tbl"), "user data");
    EXPECT_EQ(ReadText(CommonProduct() + "\\OrvNet.exe"), "other installation");
}

TEST_F(Installer, IncompatibleUpdateReportsBothMessagesAndCanBeRetried) {
    Put(CommonProduct() + "\\OrvNet.exe", "old");
    InstallerSession session(PayloadOf(Product()));
    for (int attempt = 0; attempt < 2; ++attempt) {
        session.Press(AcceptId);
        HWND refused = session.WaitForBox();
        ASSERT_NE(refused, nullptr);
        EXPECT_EQ(session.BoxText(refused), IncompatibleUpdateText);
        PressDialogButton(refused, IDOK);
        HWND failed = session.WaitForBox();
        ASSERT_NE(failed, nullptr);
        EXPECT_EQ(session.BoxText(failed), FailedText);
        PressDialogButton(failed, IDOK);
        // Back to waiting: the buttons come back and the screen stays.
        for (int i = 0; i < 100 && !IsWindowEnabled(session.Control(AcceptId)); ++i) Sleep(20);
        EXPECT_TRUE(IsWindowEnabled(session.Control(AcceptId)));
        EXPECT_TRUE(IsWindowEnabled(session.Control(LeaveId)));
        EXPECT_TRUE(IsWindow(session.Screen()));
    }
    EXPECT_EQ(ReadText(CommonProduct() + "\\OrvNet.exe"), "old");
    session.Press(LeaveId);
    EXPECT_EQ(session.WaitForExit(), 0u);
}

TEST_F(Installer, ClosingTheScreenDuringTheRunStillEndsTheProgram) {
    InstallerSession session(PayloadOf(Product(400)));
    session.Press(AcceptId);
    Sleep(50);
    PostMessageA(session.Screen(), WM_CLOSE, 0, 0);
    std::optional<DWORD> code;
    for (int round = 0; round < 30 && !code; ++round) {
        HWND box = session.WaitForBox(1000);
        if (box != nullptr) PressDialogButton(box, GetDlgItem(box, IDYES) ? IDYES : IDOK);
        code = session.WaitForExit(0);
    }
    EXPECT_EQ(code, 0u);
}

}  // namespace
