// The real installer ended part way, as a crash, Task Manager or a power cut
// ends it, then run again: the second run must leave the machine as one
// uninterrupted run does. Also: the server question is consent only when
// answered Yes; closing the screen under it registers nothing.
#include <gtest/gtest.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <functional>

#include "app/accept_flow.h"
#include "install/registration.h"
#include "install/run_install.h"
#include "install/unfinished_install.h"
#include "support/install_fixture.h"
#include "support/installer_session.h"
#include "support/dialog_answerer.h"

namespace {

constexpr int kDataFiles = 300;
constexpr DWORD kPollMs = 1;

// Laid out in the packer's order: the product folder's own files first
// (the main program among them), then each folder with its files, so that
// the compatibility marker comes late in the walk.
ArchiveBuilder Product(const std::string& edition) {
    ArchiveBuilder archive("OrvNet");
    archive.File("OrvNet.exe", "main program " + edition)
        .File("DesinstalarOrv25.exe", "uninstaller " + edition)
        .Directory("Data")
        .File("Data\\Clientes.tbl", "packaged", true);
    for (int i = 0; i < kDataFiles; ++i) {
        archive.File("Data\\extra" + std::to_string(i) + ".bin", edition + std::string(4000, char('a' + i % 26)));
    }
    archive.Directory("Marcas").Directory("Marcas\\BRIVANT").Directory("OrvServer").File(
        "OrvServer\\OrvServer.exe", "server " + edition);
    return archive;
}

std::string ProductFolder() { return CommonProductFolder(); }

bool Exists(const std::string& path) { return PathFileExistsA(path.c_str()) != FALSE; }

// When the update began. Its moments are seen by a file's last write time,
// never by opening the file: a reader holding it would make the run's
// replacement fail, as any program holding a product file does.
FILETIME updateStart;

bool RewrittenByTheUpdate(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    return GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) &&
           CompareFileTime(&data.ftLastWriteTime, &updateStart) > 0;
}

// What one uninterrupted run of `edition` leaves: every file with its bytes,
// the table, the registration and the shortcut, and nothing of the run's own.
void ExpectFinishedInstallation(const std::string& edition, const std::string& keptTable) {
    std::string folder = ProductFolder();
    MachineFolders machine = ReadMachineFolders();
    EXPECT_EQ(ReadText(folder + "\\OrvNet.exe"), "main program " + edition);
    EXPECT_EQ(ReadText(folder + "\\OrvServer\\OrvServer.exe"), "server " + edition);
    EXPECT_EQ(ReadText(folder + "\\Data\\Clientes.tbl"), keptTable);
    for (int i = 0; i < kDataFiles; ++i) {
        std::string name = "Data\\extra" + std::to_string(i) + ".bin";
        ASSERT_EQ(ReadText(folder + "\\" + name), edition + std::string(4000, char('a' + i % 26))) << name;
    }
    EXPECT_EQ(ReadText(folder + "\\Data\\ConfigL.tbl"), std::string(56, '\0'));
    EXPECT_TRUE(Exists(folder + "\\Marcas\\BRIVANT"));
    EXPECT_EQ(ListTree(folder).size(), size_t(kDataFiles) + 9);  // 4 folders and 5 files besides the extras

    // Registered once, by the fresh installation's Yes.
    EXPECT_EQ(MachineRegistryText(RunKey, "OrvServer"), folder + "\\OrvServer\\OrvServer.exe");
    EXPECT_EQ(MachineRegistryText(UninstallKey, "DisplayName"), "Orv-Net 2.5");
    EXPECT_EQ(MachineRegistryText(UninstallKey, "UninstallString"),
              "\"" + machine.windows + "\\DesinstalarOrv25.exe\" " + folder);
    EXPECT_TRUE(Exists(machine.windows + "\\DesinstalarOrv25.exe"));
    EXPECT_TRUE(Exists(machine.commonDesktop + "\\OrvNet.lnk"));

    EXPECT_FALSE(Exists(folder + "\\" + UnfinishedInstallName));
    for (const std::string& entry : ListTree(folder)) {
        EXPECT_EQ(entry.find(".orvnew"), std::string::npos) << entry;
    }
    EXPECT_FALSE(Exists(machine.temp + "\\OrvNet.smx"));
}

// A moment of the run, seen from outside; the installer is killed as soon
// as it is seen.
struct Moment {
    const char* name;
    std::function<bool(InstallerSession&)> reached;
};

bool ArchiveExpanded(InstallerSession&) { return Exists(ReadMachineFolders().temp + "\\OrvNet.smx"); }

bool QuestionShown(InstallerSession& session) {
    HWND box = FindWindowA("#32770", "OrvNet");
    return box != nullptr && IsWindowVisible(box) && session.BoxText(box) == ServerQuestionText;
}

const Moment kFreshMoments[] = {
    {"PayloadWritten", [](InstallerSession&) { return Exists(ReadMachineFolders().temp + "\\OrvNet.cab"); }},
    {"ArchiveExpanded", ArchiveExpanded},
    {"MainProgramLaid", [](InstallerSession&) { return Exists(ProductFolder() + "\\OrvNet.exe"); }},
    {"MidWalk", [](InstallerSession&) { return Exists(ProductFolder() + "\\Data\\extra150.bin"); }},
    {"MarkerLaid", [](InstallerSession&) { return Exists(ProductFolder() + "\\Marcas\\BRIVANT"); }},
    {"AtTheServerQuestion", QuestionShown},
    {"RightAfterYes",
     [](InstallerSession& session) {
         if (!QuestionShown(session)) return false;
         PressDialogButton(FindWindowA("#32770", "OrvNet"), IDYES);
         return true;
     }},
};

// Presses Acepto and kills the installer as soon as the moment is seen.
// False when it was not seen in time (the installer is killed all the same).
bool KillWhen(InstallerSession& session, const Moment& moment) {
    constexpr ULONGLONG kDeadlineMs = 30000;
    session.Press(AcceptId);
    ULONGLONG start = GetTickCount64();
    bool reached = false;
    while (!(reached = moment.reached(session)) && GetTickCount64() - start < kDeadlineMs) Sleep(kPollMs);
    TerminateProcess(session.Process(), 1);
    WaitForSingleObject(session.Process(), 10000);
    return reached;
}

void PrintTo(const Moment& moment, std::ostream* out) { *out << moment.name; }
std::string MomentName(const ::testing::TestParamInfo<Moment>& info) { return info.param.name; }

class KilledFreshInstall : public ::testing::TestWithParam<Moment> {};

TEST_P(KilledFreshInstall, IsFinishedByTheNextRun) {
    {
        InstallerSession session(PayloadOf(Product("1")));
        ASSERT_TRUE(KillWhen(session, GetParam())) << "the moment never came";
    }
    InstallerSession again(PayloadOf(Product("1")));
    ASSERT_EQ(again.AcceptAnswering(IDYES), InstalledText) << "the next run finishes a fresh installation";
    EXPECT_EQ(again.WaitForExit(), 0u);
    ExpectFinishedInstallation("1", "packaged");
}

INSTANTIATE_TEST_SUITE_P(Moments, KilledFreshInstall, ::testing::ValuesIn(kFreshMoments), MomentName);

const Moment kUpdateMoments[] = {
    {"ArchiveExpanded", ArchiveExpanded},
    {"MainProgramLaid", [](InstallerSession&) { return RewrittenByTheUpdate(ProductFolder() + "\\OrvNet.exe"); }},
    {"MidWalk", [](InstallerSession&) { return RewrittenByTheUpdate(ProductFolder() + "\\Data\\extra150.bin"); }},
};

class KilledUpdate : public ::testing::TestWithParam<Moment> {};

TEST_P(KilledUpdate, KeepsTheUserTablesAndIsFinishedByTheNextRun) {
    {
        InstallerSession first(PayloadOf(Product("1")));
        ASSERT_EQ(first.AcceptAnswering(IDYES), InstalledText);
        EXPECT_EQ(first.WaitForExit(), 0u);
    }
    const std::string table = ProductFolder() + "\\Data\\Clientes.tbl";
    WriteWholeFile(table, "user data!");
    GetSystemTimeAsFileTime(&updateStart);
    {
        InstallerSession update(PayloadOf(Product("2")));
        ASSERT_TRUE(KillWhen(update, GetParam())) << "the moment never came";
    }
    EXPECT_EQ(ReadText(table), "user data!") << "a kept table is whole at every moment";

    InstallerSession again(PayloadOf(Product("2")));
    again.Press(AcceptId);
    HWND done = again.WaitForBox();
    ASSERT_NE(done, nullptr);
    EXPECT_EQ(again.BoxText(done), UpdatedText);
    PressDialogButton(done, IDOK);
    EXPECT_EQ(again.WaitForExit(), 0u);
    ExpectFinishedInstallation("2", "user data!");
}

INSTANTIATE_TEST_SUITE_P(Moments, KilledUpdate, ::testing::ValuesIn(kUpdateMoments), MomentName);

TEST(ServerQuestion, ClosingTheScreenUnderItRegistersNothingAndTheNextRunAsksAgain) {
    MachineFolders machine = ReadMachineFolders();
    {
        InstallerSession session(PayloadOf(Product("1")));
        session.Press(AcceptId);
        HWND question = session.WaitForBox();
        ASSERT_NE(question, nullptr);
        ASSERT_EQ(session.BoxText(question), ServerQuestionText);
        PostMessageA(session.Screen(), WM_SYSCOMMAND, SC_CLOSE, 0);
        std::optional<DWORD> code;
        for (int round = 0; round < 20 && !code; ++round) {
            HWND box = session.WaitForBox(500);
            if (box != nullptr) {
                EXPECT_EQ(session.BoxText(box), FailedText);
                PressDialogButton(box, IDOK);
            }
            code = session.WaitForExit(0);
        }
        EXPECT_EQ(code, 0u);
    }
    EXPECT_FALSE(MachineRegistryText(RunKey, "OrvServer").has_value());
    EXPECT_FALSE(MachineRegistryText(UninstallKey, "DisplayName").has_value());
    EXPECT_FALSE(Exists(machine.windows + "\\DesinstalarOrv25.exe"));

    InstallerSession again(PayloadOf(Product("1")));
    ASSERT_EQ(again.AcceptAnswering(IDYES), InstalledText);
    EXPECT_EQ(again.WaitForExit(), 0u);
    ExpectFinishedInstallation("1", "packaged");
}

}  // namespace
