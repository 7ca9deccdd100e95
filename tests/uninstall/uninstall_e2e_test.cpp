// The sample product's whole life cycle under Wine, each test in its own
// prefix: installed and updated by the real installer, then removed by its
// real uninstaller, started from the uninstall entry as the system starts it
// and answered from outside.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <algorithm>
#include <cctype>

#include "app/accept_flow.h"
#include "install/registration.h"
#include "support/install_fixture.h"
#include "support/program_run.h"
#include "machine_snapshot.h"
#include "platform/registry/registry_write.h"
#include "support/temp_dir.h"
#include "uninstall_session.h"
#include "uninstaller/uninstall_texts.h"
#include "unix_link.h"

namespace {

constexpr DWORD kWaitMs = 30000;

// The folder an uninstall string hands to the uninstaller: what follows the
// quoted program.
std::string ProductFolderOf(const std::string& uninstallString) {
    size_t closing = uninstallString.find('"', 1);
    return closing == std::string::npos ? "" : uninstallString.substr(closing + 2);
}

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void Put(const std::string& path, const std::string& text) {
    SHCreateDirectoryExA(nullptr, path.substr(0, path.find_last_of('\\')).c_str(), nullptr);
    WriteWholeFile(path, text);
}

std::string UninstallerCopy() { return ReadMachineFolders().windows + "\\DesinstalarOrv25.exe"; }

// The system's list of delayed renames and deletions (REG_MULTI_SZ), its
// texts joined with "|".
std::string PendingDeletions() {
    char data[4096] = {};
    DWORD size = sizeof data - 1;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\Session Manager",
                     "PendingFileRenameOperations", RRF_RT_REG_MULTI_SZ, nullptr, data, &size) != ERROR_SUCCESS) {
        return "";
    }
    std::string texts(data, size);
    std::replace(texts.begin(), texts.end(), '\0', '|');
    return texts;
}

// The tables the installer keeps on update, as the sample product has them
// after installation (ConfigL.tbl is made by the installer).
const char* const kSampleTables[] = {
    "Data\\", "Data\\aceros.tbl", "Data\\Clientes.tbl", "Data\\ConfigL.tbl", "Data\\Materiales.tbl",
    "Data\\Pendientes.tbl", "Data\\Precios.tbl", "OrvServer\\", "OrvServer\\Data\\",
    "OrvServer\\Data\\Conexiones.tbl", "OrvServer\\Data\\Servidor.tbl",
};

struct LifeCase {
    const char* name;
    int keepAnswer;
    bool tablesKept;
};

class LifeCycle : public ::testing::TestWithParam<LifeCase> {};

TEST_P(LifeCycle, InstallUpdateUninstallLeavesOnlyWhatTheUserKept) {
    const LifeCase& c = GetParam();
    ASSERT_EQ(InstallSample(IDYES), InstalledText);
    std::string uninstall = UninstallString();
    std::string product = ProductFolderOf(uninstall);
    ASSERT_EQ(uninstall, "\"" + UninstallerCopy() + "\" " + product);
    WriteWholeFile(product + "\\Data\\Clientes.tbl", "datos del usuario");
    ASSERT_EQ(InstallSample(std::nullopt), UpdatedText);
    std::string userTable = ReadText(product + "\\Data\\Clientes.tbl");
    HANDLE server = StartProgram(*MachineRegistryText(RunKey, "OrvServer"));
    ASSERT_NE(server, nullptr);
    MachineSnapshot before = TakeSnapshot();

    UninstallRun run = RunUninstall(uninstall, {IDYES, c.keepAnswer});

    std::string outcome = RemovedText;
    if (c.tablesKept) outcome += std::string("\r\n") + TablesKeptText + product;
    EXPECT_EQ(run.boxes, (std::vector<std::string>{RemoveQuestionText, KeepTablesQuestionText, outcome}));
    EXPECT_EQ(run.exitCode, static_cast<DWORD>(ExitRemoved));
    EXPECT_EQ(WaitForSingleObject(server, kWaitMs), WAIT_OBJECT_0) << "OrvServer still runs";
    CloseHandle(server);

    // Files: the product (less the kept tables) and the shortcut are gone;
    // the running uninstaller's copy goes when Windows next starts.
    MachineSnapshot after = TakeSnapshot();
    SnapshotChanges files = Compare(before.files, after.files);
    std::vector<std::string> kept;
    if (c.tablesKept) {
        kept.push_back(product + "\\");
        for (const char* table : kSampleTables) kept.push_back(product + "\\" + table);
    }
    std::vector<std::string> expectedRemoved;
    for (const auto& [path, facts] : before.files) {
        bool inProduct = path.rfind(product + "\\", 0) == 0;
        if (inProduct && std::find(kept.begin(), kept.end(), path) == kept.end()) expectedRemoved.push_back(path);
    }
    expectedRemoved.push_back(ReadMachineFolders().commonDesktop + "\\OrvNet.lnk");
    std::sort(expectedRemoved.begin(), expectedRemoved.end());
    EXPECT_EQ(files.removed, expectedRemoved);
    EXPECT_TRUE(files.added.empty());
    EXPECT_TRUE(files.changed.empty()) << files.changed.front();
    if (c.tablesKept) {
        EXPECT_EQ(ReadText(product + "\\Data\\Clientes.tbl"), userTable);
    }

    // Registry: the autostart value and the uninstall key are gone; the only
    // other change is the copy's delayed deletion.
    SnapshotChanges values = Compare(before.registry, after.registry);
    std::vector<std::string> removedValues;
    for (const std::string& value : values.removed) removedValues.push_back(Lower(value));
    std::string uninstallKey = Lower(std::string("HKLM\\") + UninstallKey);
    EXPECT_EQ(removedValues, (std::vector<std::string>{
                                 Lower(std::string("HKLM\\") + RunKey + "\\OrvServer"),
                                 uninstallKey + "\\(key)",
                                 uninstallKey + "\\displayicon",
                                 uninstallKey + "\\displayname",
                                 uninstallKey + "\\displayversion",
                                 uninstallKey + "\\publisher",
                                 uninstallKey + "\\uninstallstring",
                             }));
    std::vector<std::string> otherChanges = values.added;
    otherChanges.insert(otherChanges.end(), values.changed.begin(), values.changed.end());
    EXPECT_EQ(otherChanges,
              std::vector<std::string>{"HKLM\\System\\CurrentControlSet\\Control\\Session Manager\\PendingFileRenameOperations"});
    ASSERT_TRUE(Exists(UninstallerCopy()));
    EXPECT_NE(PendingDeletions().find("\\??\\" + UninstallerCopy()), std::string::npos);

    // A restart applies the delayed deletion.
    HANDLE restart = StartProgram("wineboot.exe -r");
    ASSERT_NE(restart, nullptr);
    EXPECT_EQ(WaitForSingleObject(restart, kWaitMs), WAIT_OBJECT_0);
    CloseHandle(restart);
    EXPECT_FALSE(Exists(UninstallerCopy()));
    EXPECT_EQ(PendingDeletions(), "");
}

INSTANTIATE_TEST_SUITE_P(Answers, LifeCycle,
                         ::testing::Values(LifeCase{"TablesKept", IDYES, true}, LifeCase{"TablesRemoved", IDNO, false},
                                           LifeCase{"TablesKeptByDefault", DefaultButton, true}),
                         [](const ::testing::TestParamInfo<LifeCase>& info) { return info.param.name; });

// Wine's own list of installed programs (the system's own: the 64-bit one
// on 64-bit Windows) shows the product and runs the entry's command.
TEST(Uninstall, SystemsListOfProgramsRemovesIt) {
    ASSERT_EQ(InstallSample(IDYES), InstalledText);
    std::string product = ProductFolderOf(UninstallString());
    std::optional<std::vector<std::string>> before = InstalledProgramNames();
    ASSERT_TRUE(before);
    EXPECT_EQ(std::count(before->begin(), before->end(), "Orv-Net 2.5"), 1);

    UninstallRun run = RunUninstall(NativeSystemProgram("uninstaller.exe") + " --remove OrvNet", {IDYES, IDNO});

    EXPECT_EQ(run.boxes, (std::vector<std::string>{RemoveQuestionText, KeepTablesQuestionText, RemovedText}));
    EXPECT_FALSE(Exists(product));
    EXPECT_EQ(UninstallString(), "");
    EXPECT_FALSE(MachineRegistryText(RunKey, "OrvServer"));
    std::optional<std::vector<std::string>> after = InstalledProgramNames();
    ASSERT_TRUE(after);
    EXPECT_EQ(std::count(after->begin(), after->end(), "Orv-Net 2.5"), 0);
}

// Answering No to the server question leaves no entry and no copy; the
// product's own uninstaller still removes the product and its shortcut.
TEST(Uninstall, InstallationWithoutEntriesIsRemovedByTheProductsOwnUninstaller) {
    ASSERT_EQ(InstallSample(IDNO), InstalledText);
    char documents[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_COMMON_DOCUMENTS, nullptr, 0, documents);
    std::string common = documents;
    std::string product = common.substr(0, common.find_last_of('\\')) + "\\OrvNet";
    std::string program = "C:\\Prueba\\DesinstalarOrv25.exe";
    Put(program, "");
    ASSERT_TRUE(CopyFileA((product + "\\DesinstalarOrv25.exe").c_str(), program.c_str(), FALSE));

    UninstallRun run = RunUninstall("\"" + program + "\" " + product, {IDYES, IDNO});

    EXPECT_EQ(run.boxes, (std::vector<std::string>{RemoveQuestionText, KeepTablesQuestionText, RemovedText}));
    EXPECT_EQ(run.exitCode, static_cast<DWORD>(ExitRemoved));
    EXPECT_FALSE(Exists(product));
    EXPECT_FALSE(Exists(ReadMachineFolders().commonDesktop + "\\OrvNet.lnk"));
    EXPECT_FALSE(Exists(UninstallerCopy()));
    EXPECT_EQ(PendingDeletions(), "");
}

TEST(Uninstall, HeldFileIsReportedAndEverythingElseIsRemoved) {
    ASSERT_EQ(InstallSample(IDYES), InstalledText);
    std::string uninstall = UninstallString();
    std::string product = ProductFolderOf(uninstall);
    std::string heldPath = product + "\\Informes\\Plantillas\\Resumen del año.txt";
    HANDLE held = CreateFileA(heldPath.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    // Whatever was stored below the uninstall key goes with it.
    ASSERT_TRUE(WriteRegistryText(HKEY_LOCAL_MACHINE, (std::string(UninstallKey) + "\\Notas").c_str(), "Nota", "x"));

    UninstallRun run = RunUninstall(uninstall, {IDYES, IDNO});
    CloseHandle(held);

    ASSERT_EQ(run.boxes.size(), 3u);
    EXPECT_EQ(run.boxes[2], std::string(LeftoversText) + "\r\n" + heldPath);
    EXPECT_EQ(run.exitCode, static_cast<DWORD>(ExitLeftovers));
    EXPECT_EQ(ListTree(product), (std::vector<std::string>{"Informes\\", "Informes\\Plantillas\\",
                                                           "Informes\\Plantillas\\Resumen del año.txt"}));
    EXPECT_FALSE(MachineRegistryText(RunKey, "OrvServer"));
    HKEY key = nullptr;
    EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, UninstallKey, 0, KEY_READ, &key), ERROR_SUCCESS);
    EXPECT_FALSE(Exists(ReadMachineFolders().commonDesktop + "\\OrvNet.lnk"));
}

TEST(Uninstall, AnsweringNoChangesNothing) {
    ASSERT_EQ(InstallSample(IDYES), InstalledText);
    MachineSnapshot before = TakeSnapshot();
    UninstallRun run = RunUninstall(UninstallString(), {IDNO});
    EXPECT_EQ(run.boxes, std::vector<std::string>{RemoveQuestionText});
    EXPECT_EQ(run.exitCode, static_cast<DWORD>(ExitCancelled));
    MachineSnapshot after = TakeSnapshot();
    SnapshotChanges files = Compare(before.files, after.files);
    SnapshotChanges values = Compare(before.registry, after.registry);
    EXPECT_TRUE(files.removed.empty() && files.added.empty() && files.changed.empty());
    EXPECT_TRUE(values.removed.empty() && values.added.empty() && values.changed.empty());
}

TEST(Uninstall, EntriesOfAnotherInstallationStay) {
    ASSERT_EQ(InstallSample(IDYES), InstalledText);
    std::string uninstall = UninstallString();
    std::optional<std::string> autostart = MachineRegistryText(RunKey, "OrvServer");
    std::string other = "C:\\Otra carpeta\\OrvNet";
    Put(other + "\\OrvNet.exe", "otra");
    Put(other + "\\Data\\Clientes.tbl", "otra");

    UninstallRun run = RunUninstall("\"" + UninstallerCopy() + "\" " + other, {IDYES, IDNO});

    EXPECT_EQ(run.exitCode, static_cast<DWORD>(ExitRemoved));
    EXPECT_FALSE(Exists(other));
    EXPECT_TRUE(Exists("C:\\Otra carpeta"));
    EXPECT_EQ(MachineRegistryText(RunKey, "OrvServer"), autostart);
    EXPECT_EQ(UninstallString(), uninstall);
    EXPECT_TRUE(Exists(ReadMachineFolders().commonDesktop + "\\OrvNet.lnk"));
    EXPECT_TRUE(Exists(UninstallerCopy()));
    EXPECT_TRUE(Exists(ProductFolderOf(uninstall) + "\\OrvNet.exe"));
}

struct CommandCase {
    const char* name;
    const char* tail;
    const char* firstBox;  // null: the removal question
    DWORD exitCode;
};

const CommandCase kCommands[] = {
    {"Empty", "", "falta la carpeta de OrvNet en la línea de comandos.", ExitRefused},
    {"Blank", "   ", "falta la carpeta de OrvNet en la línea de comandos.", ExitRefused},
    {"Relative", "OrvNet", "no es una ruta completa: OrvNet", ExitRefused},
    {"DotDot", "C:\\Prueba\\Otro\\..\\OrvNet", "no es una ruta completa: C:\\Prueba\\Otro\\..\\OrvNet", ExitRefused},
    {"Missing", "C:\\Prueba\\Nada\\OrvNet", "la carpeta no existe: C:\\Prueba\\Nada\\OrvNet", ExitRefused},
    {"AFile", "C:\\Prueba\\Archivo\\OrvNet", "la carpeta no existe: C:\\Prueba\\Archivo\\OrvNet", ExitRefused},
    {"OtherName", "C:\\Prueba\\Otro", "no es una carpeta de OrvNet: C:\\Prueba\\Otro", ExitRefused},
    {"DriveRoot", "C:\\", "no es una carpeta de OrvNet: C:\\", ExitRefused},
    {"NoMainProgram", "C:\\Prueba\\Vacia\\OrvNet", "la carpeta no contiene OrvNet.exe: C:\\Prueba\\Vacia\\OrvNet",
     ExitRefused},
    {"Link", "C:\\Prueba\\Enlace\\OrvNet", "la carpeta es un enlace a otro lugar: C:\\Prueba\\Enlace\\OrvNet",
     ExitRefused},
    {"PaddedWithTrailingBackslash", "  C:\\Prueba\\OrvNet\\  ", nullptr, ExitCancelled},
    {"Quoted", "\"C:\\Prueba\\OrvNet\"", nullptr, ExitCancelled},
    {"Spaces", "C:\\Prueba\\Con  espacios\\OrvNet", nullptr, ExitCancelled},
};

class CommandLine : public ::testing::TestWithParam<CommandCase> {};

// Every other folder holds OrvNet.exe, so only the checks stand between the
// command line and a removal.
TEST_P(CommandLine, BadFoldersAreRefusedBeforeAnythingIsRemoved) {
    const CommandCase& c = GetParam();
    for (const char* file : {"OrvNet\\OrvNet.exe", "OrvNet\\Data\\Clientes.tbl", "Otro\\OrvNet.exe",
                             "Vacia\\OrvNet\\Data\\Clientes.tbl", "Archivo\\OrvNet",
                             "Con  espacios\\OrvNet\\OrvNet.exe"}) {
        Put(std::string("C:\\Prueba\\") + file, file);
    }
    CreateDirectoryA("C:\\Prueba\\Enlace", nullptr);
    MakeUnixLink("C:\\Prueba\\OrvNet", "C:\\Prueba\\Enlace\\OrvNet");
    WriteWholeFile("C:\\OrvNet.exe", "root");
    std::string program = "C:\\Prueba\\DesinstalarOrv25.exe";
    ASSERT_TRUE(CopyFileA(BesideTestProgram("stage\\OrvNet\\DesinstalarOrv25.exe").c_str(), program.c_str(), FALSE));
    std::vector<std::string> tree = ListTree("C:\\Prueba");

    UninstallRun run = RunUninstall("\"" + program + "\" " + c.tail, {IDNO}, "C:\\Prueba");

    ASSERT_EQ(run.boxes.size(), 1u);
    EXPECT_EQ(run.boxes[0], c.firstBox ? std::string(RefusedText) + c.firstBox : std::string(RemoveQuestionText));
    EXPECT_EQ(run.exitCode, c.exitCode);
    EXPECT_EQ(ListTree("C:\\Prueba"), tree);
    EXPECT_TRUE(Exists("C:\\OrvNet.exe"));
}

INSTANTIATE_TEST_SUITE_P(Cases, CommandLine, ::testing::ValuesIn(kCommands),
                         [](const ::testing::TestParamInfo<CommandCase>& info) { return info.param.name; });

}  // namespace
