// A Windows user whose name the ANSI code page cannot hold: the folders of
// the profile ("C:\users\Иван\...") have no ANSI name, and the A calls give
// them with '?' for each letter. The installer must still find an
// installation below that profile and write its cabinet to the temporary
// folder there.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/accept_flow.h"
#include "support/install_fixture.h"
#include "support/installer_session.h"
#include "support/dialog_answerer.h"

namespace {

const std::wstring kUser = L"\x0418\x0432\x0430\x043D";  // Иван

void MakeFolder(const std::wstring& path) {
    for (size_t at = path.find(L'\\', 3); at != std::wstring::npos; at = path.find(L'\\', at + 1)) {
        CreateDirectoryW(path.substr(0, at).c_str(), nullptr);
    }
    CreateDirectoryW(path.c_str(), nullptr);
}

void WriteWide(const std::wstring& path, const std::string& text) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, text.data(), DWORD(text.size()), &written, nullptr);
    CloseHandle(file);
}

std::string ReadWide(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<missing>";
    char buffer[256];
    DWORD got = 0;
    ReadFile(file, buffer, sizeof buffer, &got, nullptr);
    CloseHandle(file);
    return std::string(buffer, got);
}

// This process's environment with the user's name, profile and temporary
// folder replaced.
std::wstring EnvironmentOf(const std::wstring& profile) {
    const std::wstring replaced[] = {L"USER=", L"USERNAME=", L"USERPROFILE=", L"TEMP=", L"TMP="};
    std::wstring block;
    wchar_t* all = GetEnvironmentStringsW();
    for (const wchar_t* entry = all; *entry != L'\0'; entry += wcslen(entry) + 1) {
        std::wstring line(entry);
        bool skip = false;
        for (const std::wstring& name : replaced) skip = skip || _wcsnicmp(line.c_str(), name.c_str(), name.size()) == 0;
        if (!skip) block += line + L'\0';
    }
    FreeEnvironmentStringsW(all);
    for (const std::wstring& line : {L"USER=" + kUser, L"USERNAME=" + kUser, L"USERPROFILE=" + profile,
                                     L"TEMP=" + profile + L"\\Temp", L"TMP=" + profile + L"\\Temp"}) {
        block += line + L'\0';
    }
    return block + L'\0';
}

ByteVector Product() {
    ArchiveBuilder archive("OrvNet");
    archive.File("OrvNet.exe", "main program 2")
        .Directory("Data")
        .File("Data\\Clientes.tbl", "packaged", true)
        .Directory("Marcas")
        .Directory("Marcas\\BRIVANT");
    return PayloadOf(archive);
}

TEST(ProfileName, OutsideTheAnsiCodePageStillInstallsAndFindsTheInstallationThere) {
    wchar_t users[MAX_PATH] = {};
    GetEnvironmentVariableW(L"PUBLIC", users, MAX_PATH);  // C:\users\Public
    std::wstring profile = std::wstring(users).substr(0, std::wstring(users).find_last_of(L'\\') + 1) + kUser;
    MakeFolder(profile + L"\\Temp");
    MakeFolder(profile + L"\\Documents");
    // An installation below this user's own profile: the installer must find
    // it through the documents folder and update it there.
    MakeFolder(profile + L"\\OrvNet\\Marcas\\BRIVANT");
    MakeFolder(profile + L"\\OrvNet\\Data");
    WriteWide(profile + L"\\OrvNet\\OrvNet.exe", "main program 1");
    WriteWide(profile + L"\\OrvNet\\Data\\Clientes.tbl", "user data");

    InstallerSession session(CopyProgram("installer_bare.exe", Product()), "", EnvironmentOf(profile));
    session.Press(AcceptId);
    HWND done = session.WaitForBox();
    ASSERT_NE(done, nullptr);
    EXPECT_EQ(session.BoxText(done), UpdatedText);
    EXPECT_EQ(session.Text(session.Control(PathId)).find('?'), std::string::npos)
        << session.Text(session.Control(PathId));
    PressDialogButton(done, IDOK);
    EXPECT_EQ(session.WaitForExit(), 0u);

    EXPECT_EQ(ReadWide(profile + L"\\OrvNet\\OrvNet.exe"), "main program 2");
    EXPECT_EQ(ReadWide(profile + L"\\OrvNet\\Data\\Clientes.tbl"), "user data");
    // The cabinet went to this user's temporary folder (by its short name).
    EXPECT_NE(GetFileAttributesW((profile + L"\\Temp\\OrvNet.cab").c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
