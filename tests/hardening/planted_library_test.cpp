// Libraries planted beside the installer and in its current folder, named
// like every library the installer loads, are never loaded: a whole
// installation runs and none of their code runs.
#include <gtest/gtest.h>
#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cctype>
#include <set>

#include "app/accept_flow.h"
#include "support/install_fixture.h"
#include "support/installer_session.h"
#include "support/dialog_answerer.h"

namespace {

// Loaded on demand during the run, so not always in a snapshot taken from
// outside: the system's decompressor, the shell's libraries, and those that
// Wine's own libraries load (seen with WINEDEBUG=+loaddll).
const char* const kOnDemand[] = {
    "setupapi.dll", "cabinet.dll", "shell32.dll", "shlwapi.dll", "shcore.dll", "uxtheme.dll",
    "version.dll",  "imm32.dll",   "msimg32.dll", "oleaut32.dll", "combase.dll", "rpcrt4.dll",
    "sechost.dll",  "ucrtbase.dll", "userenv.dll", "propsys.dll", "dwmapi.dll",  "cryptbase.dll",
};

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

// The libraries loaded in the process now.
std::set<std::string> LoadedLibraries(DWORD processId) {
    std::set<std::string> names;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId);
    if (snapshot == INVALID_HANDLE_VALUE) return names;
    MODULEENTRY32 module = {};
    module.dwSize = sizeof module;
    for (BOOL more = Module32First(snapshot, &module); more; more = Module32Next(snapshot, &module)) {
        std::string name = Lower(module.szModule);
        if (name.size() > 4 && name.compare(name.size() - 4, 4, ".dll") == 0) names.insert(name);
    }
    CloseHandle(snapshot);
    return names;
}

std::string Folder(const std::string& path) { return path.substr(0, path.find_last_of('\\')); }

std::vector<std::string> Markers(const std::string& folder) {
    std::vector<std::string> found;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "\\*.loaded").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return found;
    do found.push_back(entry.cFileName);
    while (FindNextFileA(search, &entry));
    FindClose(search);
    return found;
}

ByteVector SmallProduct() {
    ArchiveBuilder archive("OrvNet");
    archive.File("OrvNet.exe", "main program").File("DesinstalarOrv25.exe", "uninstaller").Directory("Data");
    return PayloadOf(archive);
}

TEST(PlantedLibraries, BesideTheInstallerOrInItsCurrentFolderAreNeverLoaded) {
    // What a normal run loads, seen at the consent screen and at the
    // server question.
    std::set<std::string> names(std::begin(kOnDemand), std::end(kOnDemand));
    {
        InstallerSession look(SmallProduct());
        std::set<std::string> atStart = LoadedLibraries(GetProcessId(look.Process()));
        ASSERT_TRUE(atStart.count("kernel32.dll")) << "no module snapshot of the installer";
        names.insert(atStart.begin(), atStart.end());
        look.Press(AcceptId);
        ASSERT_NE(look.WaitForBox(), nullptr);
        std::set<std::string> atQuestion = LoadedLibraries(GetProcessId(look.Process()));
        names.insert(atQuestion.begin(), atQuestion.end());
    }

    std::string program = CopyProgram("installer_bare.exe", SmallProduct());
    std::string besideProgram = Folder(program);
    std::string current = besideProgram + "\\current";
    CreateDirectoryA(current.c_str(), nullptr);
    for (const std::string& name : names) {
        for (const std::string& folder : {besideProgram, current}) {
            ASSERT_TRUE(CopyFileA(BesideTestProgram("planted.dll").c_str(), (folder + "\\" + name).c_str(), FALSE))
                << name;
        }
    }

    InstallerSession session(program, current);
    EXPECT_EQ(session.AcceptAnswering(IDYES), InstalledText);
    EXPECT_EQ(session.WaitForExit(), 0u);
    EXPECT_TRUE(Markers(besideProgram).empty()) << "loaded beside the installer: " << Markers(besideProgram)[0];
    EXPECT_TRUE(Markers(current).empty()) << "loaded from the current folder: " << Markers(current)[0];
    EXPECT_GT(names.size(), 10u);
}

}  // namespace
