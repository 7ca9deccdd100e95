// A real install run, fresh and update, with one system call made to fail
// at a chosen moment through the fault seam. Every case must end in failure
// (the user sees "Error de instalación"), write nothing outside the product
// folder, leave no file half-written, and keep the previous content of a
// keep-on-update file and of files the archive does not carry. Running the
// installer again then finishes the job as the same kind of run.
#include <gtest/gtest.h>

#include <filesystem>

#include "install/registration.h"
#include "install/run_record.h"
#include "install/unfinished_install.h"
#include "support/install_fixture.h"

namespace fs = std::filesystem;

namespace {

const std::string kBig(200000, 'n');

struct FaultCase {
    const char* moment;
    bool update;
    const char* call;     // as PlannedFault takes it
    const char* pathEnd;  // the file, folder or value that fails
    const char* fault;
};

const FaultCase kCases[] = {
    {"before the walk: payload cannot be written", false, "write", "\\OrvNet.cab", "disk-full"},
    {"before the walk: archive cannot be opened", false, "open", "\\OrvNet.smx", "access-denied"},
    {"before the walk: archive cannot be read", true, "read", "\\OrvNet.smx", "access-denied"},
    {"before the walk: product folder cannot be made", false, "folder", "\\OrvNet", "access-denied"},
    {"plain file: disk full", false, "write", "\\big.bin", "disk-full"},
    {"plain file: short write", false, "write", "\\big.bin", "short-write"},
    {"plain file: cannot be created", false, "open", "\\big.bin", "access-denied"},
    {"plain file: flush at close fails", false, "close", "\\big.bin", "disk-full"},
    {"plain file on update: held by another program", true, "remove", "\\big.bin", "sharing"},
    {"plain file on update: short write", true, "write", "\\big.bin", "short-write"},
    // The main program tells an installed product from a fresh machine: it
    // is never absent, so the next run is still an update.
    {"main program on update: staged copy short write", true, "write", "\\OrvNet.exe.orvnew", "short-write"},
    {"main program on update: held while replaced", true, "move", "\\OrvNet.exe", "sharing"},
    {"merge: previous content unreadable", true, "read", "\\Clientes.tbl", "access-denied"},
    {"merge: staged copy cannot be created", true, "open", "\\Clientes.tbl.orvnew", "disk-full"},
    {"merge: staged copy short write", true, "write", "\\Clientes.tbl.orvnew", "short-write"},
    {"merge: flush of the staged copy fails", true, "close", "\\Clientes.tbl.orvnew", "disk-full"},
    {"merge: kept file held while replaced", true, "move", "\\Clientes.tbl", "sharing"},
    {"configuration table: cannot be created", false, "open", "\\ConfigL.tbl", "access-denied"},
    {"configuration table: short write", false, "write", "\\ConfigL.tbl", "short-write"},
    {"shortcut: cannot be saved", false, "shortcut", "\\OrvNet.lnk", "access-denied"},
    {"registration: autostart value", false, "registry", "OrvServer", "access-denied"},
    {"registration: uninstall entry", false, "registry", "UninstallString", "access-denied"},
    {"registration: uninstaller copy short write", false, "write", "windows\\DesinstalarOrv25.exe", "short-write"},
    {"registration: uninstaller copy cannot be made", false, "open", "windows\\DesinstalarOrv25.exe", "disk-full"},
};

void PrintTo(const FaultCase& c, std::ostream* out) { *out << c.moment; }

// The install runner with the case's fault, answering Yes to the server
// question.
RunLog RunWithFault(const std::string& base, const ByteVector& payload, const FaultCase& c) {
    return RunInstaller(base, payload, {"yes"}, PlannedFault{c.call, c.pathEnd, c.fault});
}

ArchiveBuilder Product() {
    ArchiveBuilder archive("OrvNet");
    archive.File("OrvNet.exe", "new program")
        .File("DesinstalarOrv25.exe", "uninstaller")
        .File("big.bin", kBig)
        .Directory("Data")
        .File("Data\\Clientes.tbl", "pk", true)
        .Directory("Marcas")
        .Directory("Marcas\\BRIVANT")
        .Directory("OrvServer")
        .File("OrvServer\\OrvServer.exe", "server");
    return archive;
}

// The error code each fault stands for, as the record quotes it.
std::string ErrorOf(const char* fault) {
    const std::string name = fault;
    return name == "disk-full" ? "112" : name == "access-denied" ? "5" : name == "sharing" ? "32" : "39";
}

// The record a failed run leaves in the temporary folder says what kind of
// run it was, names the step that failed by its file, folder or value with
// the system's error, and the outcome.
void ExpectRecordOf(const std::string& recordPath, const FaultCase& c, bool update) {
    ASSERT_TRUE(fs::exists(recordPath)) << "the failed run left no record";
    std::string text = ReadText(recordPath);
    EXPECT_NE(text.find(update ? "\r\nTipo: actualización\r\n" : "\r\nTipo: instalación nueva\r\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("\r\nResultado: Error de instalación\r\n"), std::string::npos) << text;
    // A staged copy is the run's own business: the record names the file
    // the user knows.
    std::string subject = c.pathEnd;
    const std::string staged = ".orvnew";
    if (subject.size() > staged.size() && subject.compare(subject.size() - staged.size(), staged.size(), staged) == 0) {
        subject.resize(subject.size() - staged.size());
    }
    bool named = false;
    for (size_t at = text.find("Fallo: "); at != std::string::npos; at = text.find("Fallo: ", at + 1)) {
        std::string line = text.substr(at, text.find("\r\n", at) - at);
        if (line.find(subject) != std::string::npos && line.find("(error " + ErrorOf(c.fault)) != std::string::npos) {
            named = true;
        }
    }
    EXPECT_TRUE(named) << "no line names " << subject << " with error " << ErrorOf(c.fault) << ":\n" << text;
}

class FaultInjection : public ::testing::TestWithParam<FaultCase> {
protected:
    TempDir baseDir;
    MachineFolders machine = ReadMachineFolders();
    std::string In(const std::string& name) const { return baseDir.path() + "\\OrvNet\\" + name; }

    // An installed product with user data, some of it not in the archive.
    void PretendInstalled() {
        fs::create_directories(In("Data"));
        fs::create_directories(In("Marcas\\BRIVANT"));
        WriteWholeFile(In("OrvNet.exe"), std::string("old program"));
        WriteWholeFile(In("big.bin"), std::string("old big"));
        WriteWholeFile(In("Data\\Clientes.tbl"), std::string("user data"));
        WriteWholeFile(In("Data\\mine.txt"), std::string("mine"));
    }

    // A file the archive replaces is never left half-written: it is its old
    // content, whole as packaged, or (the run having failed) absent, to be
    // laid out again by the next attempt.
    void ExpectNotHalfWritten(const std::string& name, const std::string& old, const std::string& packaged) {
        if (!fs::exists(In(name))) return;
        std::string now = ReadText(In(name));
        EXPECT_TRUE(now == packaged || (!old.empty() && now == old))
            << name << " is neither its old content nor whole (" << now.size() << " bytes)";
    }
};

TEST_P(FaultInjection, FailsWithoutLosingOrHalfWritingAnything) {
    const FaultCase& c = GetParam();
    if (c.update) PretendInstalled();
    RunLog run = RunWithFault(baseDir.path() + "\\", PayloadOf(Product()), c);

    ASSERT_TRUE(run.fired) << "the fault was never reached";
    EXPECT_FALSE(run.result);
    // A run that cannot read its archive never learns it is an update.
    const bool update = c.update && std::string(c.pathEnd) != "\\OrvNet.smx";
    EXPECT_EQ(run.update, update);

    for (const std::string& entry : ListTree(baseDir.path())) {
        EXPECT_EQ(entry.rfind("OrvNet\\", 0), 0u) << entry << " written outside the product folder";
        EXPECT_EQ(entry.find(".orvnew"), std::string::npos) << entry << " left behind";
    }
    EXPECT_FALSE(fs::exists(machine.temp + "\\OrvNet.smx"));
    const std::string record = machine.temp + "\\" + RunRecordName;
    ExpectRecordOf(record, c, update);
    std::string uninstallerCopy = machine.windows + "\\DesinstalarOrv25.exe";
    if (fs::exists(uninstallerCopy)) {
        EXPECT_EQ(ReadText(uninstallerCopy), "uninstaller") << "half-written copy";
    }

    ExpectNotHalfWritten("OrvNet.exe", c.update ? "old program" : "", "new program");
    ExpectNotHalfWritten("big.bin", c.update ? "old big" : "", kBig);
    ExpectNotHalfWritten("OrvServer\\OrvServer.exe", "", "server");
    if (c.update) {
        // Kept on update: the previous bytes survive whatever failed.
        EXPECT_EQ(ReadText(In("Data\\Clientes.tbl")), "user data");
        EXPECT_EQ(ReadText(In("Data\\mine.txt")), "mine");
    } else {
        ExpectNotHalfWritten("Data\\Clientes.tbl", "", "pk");
        ExpectNotHalfWritten("Data\\ConfigL.tbl", "", std::string(56, '\0'));
    }

    // The same runner with a fault that no call reaches.
    const FaultCase clean = {"again", c.update, "write", "\\no-such-file", "disk-full"};
    RunLog again = RunWithFault(baseDir.path() + "\\", PayloadOf(Product()), clean);
    EXPECT_FALSE(again.fired);
    EXPECT_TRUE(again.result) << "the next run finishes the installation";
    EXPECT_FALSE(fs::exists(record)) << "a successful run removes the record of the failed one";
    EXPECT_EQ(again.update, c.update) << "a failed fresh installation is finished as fresh";
    EXPECT_EQ(ReadText(In("big.bin")), kBig);
    EXPECT_FALSE(fs::exists(In(UnfinishedInstallName)));
    if (!c.update) {
        EXPECT_EQ(MachineRegistryText(RunKey, "OrvServer"), In("OrvServer\\OrvServer.exe"));
        EXPECT_EQ(MachineRegistryText(UninstallKey, "DisplayName"), "Orv-Net 2.5");
        EXPECT_EQ(ReadText(machine.windows + "\\DesinstalarOrv25.exe"), "uninstaller");
        EXPECT_EQ(ReadText(In("Data\\ConfigL.tbl")), std::string(56, '\0'));
        EXPECT_TRUE(fs::exists(machine.commonDesktop + "\\OrvNet.lnk"));
    }
}

// A file the run must replace that cannot be removed is never written over:
// without truncation the new bytes would keep the old file's tail.
TEST(StaleFiles, ThatCannotBeRemovedAreNotWrittenOver) {
    MachineFolders machine = ReadMachineFolders();
    const std::string stale(300, 'x');
    enum class Place { ProductData, SystemFolder, WindowsFolder };
    const struct {
        const char* what;
        bool update;
        Place place;
        const char* name;
        const char* pathEnd;  // as the fault seam matches it
        bool result;          // a component in use is skipped without failing the run
    } cases[] = {
        {"staging file left by an interrupted merge", true, Place::ProductData, "Clientes.tbl.orvnew",
         "Clientes.tbl.orvnew", false},
        {"old component in the system folder", false, Place::SystemFolder, "SmStale.dll", "SmStale.dll", true},
        {"old uninstaller copy in the Windows folder", false, Place::WindowsFolder, "DesinstalarOrv25.exe",
         "windows\\DesinstalarOrv25.exe", false},
    };
    for (const auto& c : cases) {
        TempDir baseDir;
        std::string folder = baseDir.path() + "\\OrvNet";
        fs::create_directories(folder + "\\Data");
        fs::create_directories(folder + "\\Marcas\\BRIVANT");
        if (c.update) {
            WriteWholeFile(folder + "\\OrvNet.exe", std::string("old program"));
            WriteWholeFile(folder + "\\Data\\Clientes.tbl", std::string("user data"));
        }
        std::string where = c.place == Place::ProductData    ? folder + "\\Data"
                            : c.place == Place::SystemFolder ? machine.system
                                                             : machine.windows;
        std::string path = where + "\\" + c.name;
        WriteWholeFile(path, stale);
        ArchiveBuilder archive = Product();
        archive.File("SmStale.dll", "new", false, true);
        const FaultCase fault = {c.what, c.update, "remove", c.pathEnd, "sharing"};
        RunLog run = RunWithFault(baseDir.path() + "\\", PayloadOf(archive), fault);
        EXPECT_TRUE(run.fired) << c.what;
        EXPECT_EQ(run.result, c.result) << c.what;
        EXPECT_EQ(ReadText(path), stale) << c.what;
        if (c.update) {
            EXPECT_EQ(ReadText(folder + "\\Data\\Clientes.tbl"), "user data") << c.what;
        }
        DeleteFileA(path.c_str());
    }
}

std::string CaseName(const ::testing::TestParamInfo<FaultCase>& info) {
    std::string name;
    for (const char* p = info.param.moment; *p != '\0'; ++p) {
        name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(Calls, FaultInjection, ::testing::ValuesIn(kCases), CaseName);

}  // namespace
