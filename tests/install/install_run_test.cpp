// The install run end to end: each test runs an installer carrying its own
// payload in a fresh Wine prefix and checks the disk, the registry, the
// shortcut and what the run reported.
#include <gtest/gtest.h>

#include <filesystem>

#include "install/registration.h"
#include "install/run_record.h"
#include "install/run_install.h"
#include "install/unfinished_install.h"
#include "support/install_fixture.h"
#include "support/program_run.h"

namespace fs = std::filesystem;

namespace {

const char kFolderWithEnye[] = "Marcas\\Compañía";

std::string Repeat(char c, size_t n) { return std::string(n, c); }

// A small product with the shape of the real one.
ArchiveBuilder SampleProduct() {
    ArchiveBuilder archive("OrvNet");
    archive.File("OrvNet.exe", "main program")
        .File("DesinstalarOrv25.exe", "uninstaller bytes")
        .File("Léame.txt", "")
        .Directory("Data")
        .File("Data\\Clientes.tbl", "packaged clients", true)
        .Directory("Marcas")
        .Directory("Marcas\\BRIVANT")
        .File("Marcas\\BRIVANT\\marca.txt", "marker")
        .Directory(kFolderWithEnye)
        .Directory("OrvServer")
        .File("OrvServer\\OrvServer.exe", "server program");
    return archive;
}

class InstallRun : public ::testing::Test {
protected:
    TempDir baseDir;
    MachineFolders machine = ReadMachineFolders();

    std::string Base() const { return baseDir.path() + "\\"; }
    std::string Folder() const { return baseDir / "OrvNet"; }
    std::string InFolder(const std::string& name) const { return Folder() + "\\" + name; }
    std::string Archive() const { return machine.temp + "\\OrvNet.smx"; }
    std::string Cabinet() const { return machine.temp + "\\OrvNet.cab"; }
    std::string Desktop() const { return machine.commonDesktop + "\\OrvNet.lnk"; }
    std::string UninstallerCopy() const { return machine.windows + "\\DesinstalarOrv25.exe"; }

    // An existing installation: main program and compatibility marker.
    void PretendInstalled(bool withMarker = true) {
        fs::create_directories(InFolder("Data"));
        if (withMarker) fs::create_directories(InFolder("Marcas\\BRIVANT"));
        WriteWholeFile(InFolder("OrvNet.exe"), std::string("old program"));
    }
};

TEST_F(InstallRun, FreshInstallLaysOutEveryFileRegistersAndPlacesTheShortcut) {
    ArchiveBuilder archive = SampleProduct();
    RunLog run = RunInstaller(Base(), PayloadOf(archive), {"yes"});

    EXPECT_TRUE(run.result);
    EXPECT_FALSE(run.update);
    EXPECT_EQ(ListTree(Folder()),
              (std::vector<std::string>{"Data\\", "Data\\Clientes.tbl", "Data\\ConfigL.tbl", "DesinstalarOrv25.exe",
                                        "Léame.txt", "Marcas\\", "Marcas\\BRIVANT\\", "Marcas\\BRIVANT\\marca.txt",
                                        std::string(kFolderWithEnye) + "\\", "OrvNet.exe", "OrvServer\\",
                                        "OrvServer\\OrvServer.exe"}));
    EXPECT_EQ(ReadText(InFolder("OrvNet.exe")), "main program");
    EXPECT_EQ(ReadText(InFolder("Data\\Clientes.tbl")), "packaged clients");
    EXPECT_EQ(ReadText(InFolder("Léame.txt")), "");
    EXPECT_EQ(ReadText(InFolder("Data\\ConfigL.tbl")), std::string(56, '\0'));

    EXPECT_EQ(MachineRegistryText(RunKey, "OrvServer"), InFolder("OrvServer\\OrvServer.exe"));
    EXPECT_EQ(MachineRegistryText(UninstallKey, "DisplayName"), "Orv-Net 2.5");
    EXPECT_EQ(MachineRegistryText(UninstallKey, "UninstallString"), "\"" + UninstallerCopy() + "\" " + Folder());
    EXPECT_EQ(MachineRegistryText(UninstallKey, "DisplayIcon"), InFolder("OrvNet.exe,0"));
    EXPECT_EQ(MachineRegistryText(UninstallKey, "Publisher"), "Velmarisco");
    EXPECT_EQ(MachineRegistryText(UninstallKey, "DisplayVersion"), "2.5.0.0");
    EXPECT_EQ(ReadText(UninstallerCopy()), "uninstaller bytes");

    auto link = ReadShortcut(Desktop());
    ASSERT_TRUE(link.has_value());
    EXPECT_STREQ(link->target.c_str(), InFolder("OrvNet.exe").c_str());
    EXPECT_EQ(link->description, "Velmarisco");
    EXPECT_EQ(link->arguments, "");
    EXPECT_EQ(link->workingFolder, Folder());

    EXPECT_FALSE(fs::exists(Archive()));
    EXPECT_TRUE(fs::exists(Cabinet()));
    EXPECT_EQ(run.statuses, std::vector<std::string>{StatusInstalling});
    EXPECT_EQ(run.boxes, std::vector<std::string>{ServerQuestionText});
}

TEST_F(InstallRun, ProgressCountsFileRecordsOnly) {
    ArchiveBuilder archive = SampleProduct();
    RunLog run = RunInstaller(Base(), PayloadOf(archive), {"yes"});
    std::vector<std::string> expected{"min 0", "pos 0", "max 7", "min 0", "pos 0"};
    for (int i = 1; i <= 6; ++i) expected.push_back("pos " + std::to_string(i));
    EXPECT_EQ(run.progress, expected);
}

TEST_F(InstallRun, AnsweringNoWritesNoRegistrationButStillTableAndShortcut) {
    RunLog run = RunInstaller(Base(), PayloadOf(SampleProduct()), {"no"});
    EXPECT_TRUE(run.result);
    EXPECT_EQ(MachineRegistryText(RunKey, "OrvServer"), std::nullopt);
    EXPECT_EQ(MachineRegistryText(UninstallKey, "DisplayName"), std::nullopt);
    EXPECT_FALSE(fs::exists(UninstallerCopy()));
    EXPECT_TRUE(fs::exists(InFolder("Data\\ConfigL.tbl")));
    EXPECT_TRUE(fs::exists(Desktop()));
}

TEST_F(InstallRun, RootOnlyArchiveGoesStraightToCompletion) {
    RunLog run = RunInstaller(Base(), PayloadOf(ArchiveBuilder("OrvNet", 1)), {"no"});
    EXPECT_TRUE(run.result);
    EXPECT_EQ(run.boxes, std::vector<std::string>{ServerQuestionText});
    EXPECT_EQ(ReadText(InFolder("Data\\ConfigL.tbl")), std::string(56, '\0'));
    EXPECT_TRUE(fs::exists(Desktop()));
    EXPECT_EQ(run.progress, (std::vector<std::string>{"min 0", "pos 0", "max 1", "min 0", "pos 0"}));
}

TEST_F(InstallRun, FreshInstallIntoExistingFolderReplacesEveryFileIncludingKeptOnes) {
    fs::create_directories(InFolder("Data"));
    WriteWholeFile(InFolder("Data\\Clientes.tbl"), Repeat('u', 300));
    WriteWholeFile(InFolder("Data\\ConfigL.tbl"), std::string("user configuration"));
    RunLog run = RunInstaller(Base(), PayloadOf(SampleProduct()), {"no"});
    EXPECT_TRUE(run.result);
    EXPECT_FALSE(run.update);
    EXPECT_EQ(ReadText(InFolder("Data\\Clientes.tbl")), "packaged clients");
    EXPECT_EQ(ReadText(InFolder("Data\\ConfigL.tbl")), "user configuration");
}

TEST_F(InstallRun, ExistingShortcutIsReplaced) {
    WriteWholeFile(Desktop(), std::string("not a link"));
    RunLog run = RunInstaller(Base(), PayloadOf(SampleProduct()), {"no"});
    EXPECT_TRUE(run.result);
    ASSERT_TRUE(ReadShortcut(Desktop()).has_value());
}

TEST_F(InstallRun, UpdateKeepsPreviousBytesOfKeptFilesAndReplacesTheRest) {
    PretendInstalled();
    WriteWholeFile(InFolder("Data\\shorter.tbl"), Repeat('p', 100));
    WriteWholeFile(InFolder("Data\\longer.tbl"), Repeat('p', 150));
    ArchiveBuilder archive("OrvNet");
    archive.File("OrvNet.exe", "new program")
        .Directory("Data")
        .File("Data\\shorter.tbl", Repeat('N', 150), true)
        .File("Data\\longer.tbl", Repeat('N', 100), true)
        .File("Data\\nueva.tbl", "from the package", true);

    RunLog run = RunInstaller(Base(), PayloadOf(archive));

    EXPECT_TRUE(run.result);
    EXPECT_TRUE(run.update);
    EXPECT_EQ(ReadText(InFolder("OrvNet.exe")), "new program");
    EXPECT_EQ(ReadText(InFolder("Data\\shorter.tbl")), Repeat('p', 100) + Repeat('N', 50));
    EXPECT_EQ(ReadText(InFolder("Data\\longer.tbl")), Repeat('p', 150));
    EXPECT_EQ(ReadText(InFolder("Data\\nueva.tbl")), "from the package");
    EXPECT_EQ(run.statuses, (std::vector<std::string>{StatusInstalling, StatusUpdating}));
    EXPECT_TRUE(run.boxes.empty());
    // An update registers nothing, makes no table and no shortcut, and
    // leaves no archive behind.
    EXPECT_EQ(MachineRegistryText(RunKey, "OrvServer"), std::nullopt);
    EXPECT_EQ(MachineRegistryText(UninstallKey, "DisplayName"), std::nullopt);
    EXPECT_FALSE(fs::exists(InFolder("Data\\ConfigL.tbl")));
    EXPECT_FALSE(fs::exists(Desktop()));
    EXPECT_FALSE(fs::exists(Archive()));
    EXPECT_FALSE(fs::exists(InFolder("Data\\shorter.tbl.orvnew")));
}

TEST_F(InstallRun, UpdateWithoutCompatibilityMarkerIsRefusedBeforeWritingAnything) {
    PretendInstalled(false);
    std::vector<std::string> before = ListTree(Folder());
    RunLog run = RunInstaller(Base(), PayloadOf(SampleProduct()));
    EXPECT_FALSE(run.result);
    EXPECT_TRUE(run.update);
    EXPECT_EQ(run.boxes, std::vector<std::string>{IncompatibleUpdateText});
    EXPECT_EQ(ListTree(Folder()), before);
    EXPECT_EQ(ReadText(InFolder("OrvNet.exe")), "old program");
    EXPECT_FALSE(fs::exists(Archive()));
    // The record for support names the refusal and the missing mark.
    std::string record = machine.temp + "\\" + RunRecordName;
    std::string text = ReadText(record);
    EXPECT_NE(text.find("\r\nTipo: actualización\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Fallo: " + std::string(IncompatibleUpdateText) + ": " + InFolder("Marcas\\BRIVANT")),
              std::string::npos)
        << text;
}

TEST_F(InstallRun, MissingPayloadFailsBeforeWritingAnything) {
    RunLog run = RunInstaller(Base(), std::nullopt);
    EXPECT_FALSE(run.result);
    EXPECT_FALSE(fs::exists(Folder()));
    EXPECT_FALSE(fs::exists(Cabinet()));
    EXPECT_FALSE(fs::exists(Archive()));
    EXPECT_TRUE(run.boxes.empty());
}

TEST_F(InstallRun, LeftoverFilesInTheTemporaryFolderDoNotDisturbTheRun) {
    ByteVector payload = PayloadOf(SampleProduct());
    std::string longer(payload.size() + 1000, 'J');
    WriteWholeFile(Cabinet(), longer);
    WriteWholeFile(Archive(), std::string("stale archive"));

    RunLog run = RunInstaller(Base(), payload, {"no"});

    EXPECT_TRUE(run.result);
    EXPECT_EQ(ReadText(InFolder("OrvNet.exe")), "main program");
    // Overwritten from its start, not truncated: the cabinet records its own
    // length.
    std::string cabinet = ReadText(Cabinet());
    EXPECT_EQ(cabinet.size(), longer.size());
    EXPECT_EQ(cabinet.substr(0, payload.size()), std::string(payload.begin(), payload.end()));
}

// Faults in the payload or the archive: the run reports failure and never
// writes outside the product folder.
TEST_F(InstallRun, TruncatedCabinetIsCaughtBeforeTheProductFolderIsTouched) {
    ArchiveBuilder archive("OrvNet");
    archive.File("OrvNet.exe", Repeat('x', 100000));
    ByteVector payload = PayloadOf(archive);
    payload.resize(payload.size() - 40000);
    RunLog run = RunInstaller(Base(), payload);
    EXPECT_FALSE(run.result);
    EXPECT_FALSE(fs::exists(Folder()));
    EXPECT_FALSE(fs::exists(Archive()));
}

TEST_F(InstallRun, ContentRunningPastTheEndFailsTheRunButKeepsTheOtherFiles) {
    ArchiveBuilder archive("OrvNet", 3);
    archive.File("OrvNet.exe", "main").File("otro.txt", "fine").Raw(2, "cut.txt", 1000, ByteVector(10, 'c'));
    RunLog run = RunInstaller(Base(), PayloadOf(archive), {"no"});
    EXPECT_FALSE(run.result);
    EXPECT_EQ(ReadText(InFolder("otro.txt")), "fine");
    EXPECT_FALSE(fs::exists(InFolder("cut.txt")));
}

TEST_F(InstallRun, AFolderThatCannotBeMadeFailsTheRunBeforeTheCompletion) {
    // A file stands where the archive has a folder (an empty one among them).
    fs::create_directories(Folder());
    WriteWholeFile(InFolder("Marcas"), std::string("a file"));
    ArchiveBuilder archive("OrvNet");
    archive.File("OrvNet.exe", "main").Directory("Marcas").Directory("Marcas\\BRIVANT").File("ok.txt", "fine");
    RunLog run = RunInstaller(Base(), PayloadOf(archive), {"yes"});
    EXPECT_FALSE(run.result);
    EXPECT_TRUE(run.boxes.empty()) << "asked the server question of a broken installation";
    EXPECT_EQ(ReadText(InFolder("ok.txt")), "fine");
    EXPECT_FALSE(MachineRegistryText(RunKey, "OrvServer").has_value());
}

TEST_F(InstallRun, AnInstallBaseThatIsNoFullPathFailsBeforeWritingAnything) {
    for (const char* base : {"", "OrvBase\\", "\\"}) {
        RunLog run = RunInstaller(base, PayloadOf(SampleProduct()), {"yes"});
        EXPECT_FALSE(run.result) << base;
        EXPECT_FALSE(fs::exists(Cabinet())) << base;
    }
}

TEST_F(InstallRun, NamesWindowsWouldTurnIntoADeviceOrChangeAreRefused) {
    ArchiveBuilder archive("OrvNet");
    archive.File("OrvNet.exe", "main")
        .File("NUL", "device")
        .File("con.txt", "device")
        .File("Data.", "dot")
        .File("Data ", "space")
        .Directory("COM1")
        .File("ok.txt", "fine");
    RunLog run = RunInstaller(Base(), PayloadOf(archive), {"no"});
    EXPECT_FALSE(run.result);
    EXPECT_EQ(ReadText(InFolder("ok.txt")), "fine");
    EXPECT_EQ(ListTree(Folder()), (std::vector<std::string>{UnfinishedInstallName, "OrvNet.exe", "ok.txt"}));
}

TEST_F(InstallRun, NamesThatWouldEscapeTheProductFolderAreRefused) {
    std::string outside = baseDir / "escaped.txt";
    ArchiveBuilder archive("OrvNet");
    archive.File("OrvNet.exe", "main")
        .File("..\\escaped.txt", "evil")
        .File(outside, "evil")
        .File("\\escaped.txt", "evil")
        .File("Data\\..\\..\\escaped.txt", "evil")
        .File("ok.txt", "fine");
    RunLog run = RunInstaller(Base(), PayloadOf(archive), {"no"});
    EXPECT_FALSE(run.result);
    EXPECT_FALSE(fs::exists(outside));
    EXPECT_EQ(ReadText(InFolder("ok.txt")), "fine");
    EXPECT_EQ(ListTree(baseDir.path()).front(), "OrvNet\\");
}

TEST_F(InstallRun, FileHeldByAnotherProgramDuringUpdateIsReportedAndLeftIntact) {
    PretendInstalled();
    WriteWholeFile(InFolder("Data\\held.tbl"), std::string("user data"));
    WriteWholeFile(InFolder("plain.dll"), std::string("old plain"));
    HANDLE heldKept = CreateFileA(InFolder("Data\\held.tbl").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    HANDLE heldPlain = CreateFileA(InFolder("plain.dll").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(heldKept, INVALID_HANDLE_VALUE);
    ASSERT_NE(heldPlain, INVALID_HANDLE_VALUE);
    ArchiveBuilder archive("OrvNet");
    archive.File("OrvNet.exe", "new")
        .File("plain.dll", "new plain")
        .Directory("Data")
        .File("Data\\held.tbl", "packaged", true);

    RunLog run = RunInstaller(Base(), PayloadOf(archive));
    CloseHandle(heldKept);
    CloseHandle(heldPlain);

    EXPECT_FALSE(run.result);
    EXPECT_EQ(ReadText(InFolder("Data\\held.tbl")), "user data");
    EXPECT_EQ(ReadText(InFolder("plain.dll")), "old plain");
    EXPECT_EQ(ReadText(InFolder("OrvNet.exe")), "new");
}

// System components: written into the system folder and self-registered.
class SystemComponents : public InstallRun {
protected:
    ByteVector component = [] {
        std::string bytes = ReadText(BesideTestProgram("test_component.dll"));
        return ByteVector(bytes.begin(), bytes.end());
    }();

    ArchiveBuilder WithComponents() {
        ArchiveBuilder archive("OrvNet");
        archive.File("OrvNet.exe", "main")
            .FileBytes("SmComponente.dll", component, false, true)
            .FileBytes("Otro.dll", component, false, true);
        return archive;
    }
    std::string InSystem(const std::string& name) const { return machine.system + "\\" + name; }
    bool Registered(const std::string& name) const {
        return MachineRegistryText("Software\\SmTestComponent", name).has_value();
    }
};

TEST_F(SystemComponents, FreshInstallWritesAndRegistersEveryComponent) {
    RunLog run = RunInstaller(Base(), PayloadOf(WithComponents()), {"no"});
    EXPECT_TRUE(run.result);
    EXPECT_EQ(ReadText(InSystem("SmComponente.dll")).size(), component.size());
    EXPECT_TRUE(Registered("SmComponente.dll"));
    EXPECT_TRUE(Registered("Otro.dll"));
    EXPECT_FALSE(fs::exists(InFolder("SmComponente.dll")));
    EXPECT_EQ(run.progress.back(), "pos 3");
    if (RunsUnderWow64()) {
        // A 32-bit program's system folder on 64-bit Windows is SysWOW64,
        // and what its components register lands in the 32-bit view.
        char windows[MAX_PATH] = {};
        GetWindowsDirectoryA(windows, sizeof windows);
        EXPECT_TRUE(fs::exists(std::string(windows) + "\\SysWOW64\\SmComponente.dll"));
        EXPECT_FALSE(fs::exists(std::string(windows) + "\\sysnative\\SmComponente.dll"));
        EXPECT_TRUE(MachineRegistryText("Software\\SmTestComponent", "SmComponente.dll", KEY_WOW64_32KEY));
        EXPECT_FALSE(MachineRegistryText("Software\\SmTestComponent", "SmComponente.dll", KEY_WOW64_64KEY));
    }
}

TEST_F(SystemComponents, UpdateReplacesOnlyComponentsNamedSm) {
    PretendInstalled();
    WriteWholeFile(InSystem("Otro.dll"), std::string("present"));
    RunLog run = RunInstaller(Base(), PayloadOf(WithComponents()));
    EXPECT_TRUE(run.result);
    EXPECT_TRUE(Registered("SmComponente.dll"));
    EXPECT_FALSE(Registered("Otro.dll"));
    EXPECT_EQ(ReadText(InSystem("Otro.dll")), "present");
    EXPECT_EQ(run.progress.back(), "pos 3");
}

TEST_F(SystemComponents, ComponentInUseIsSkippedWithoutFailingTheRun) {
    WriteWholeFile(InSystem("SmComponente.dll"), std::string("in use"));
    HANDLE held = CreateFileA(InSystem("SmComponente.dll").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    RunLog run = RunInstaller(Base(), PayloadOf(WithComponents()), {"no"});
    CloseHandle(held);
    EXPECT_TRUE(run.result);
    EXPECT_EQ(ReadText(InSystem("SmComponente.dll")), "in use");
    EXPECT_FALSE(Registered("SmComponente.dll"));
    EXPECT_TRUE(Registered("Otro.dll"));
}

}  // namespace
