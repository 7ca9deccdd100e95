// smx diff between two releases of the sample product, the new one as a
// built installer: a changed file, a changed keep-on-update table, an added
// and a removed file, and tables that lose their keep-on-update flag, each
// said with what an update does to installed machines.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "archive_diff.h"
#include "pe_image.h"
#include "pe_resource.h"
#include "sha256.h"
#include "support/temp_dir.h"
#include "tool_fixtures.h"

namespace fs = std::filesystem;

namespace {

std::string ShortDigest(const std::string& text) { return Sha256Hex(text.data(), text.size()).substr(0, 12); }

std::string ShortDigestOf(const std::string& path) {
    Bytes bytes = ReadWholeFile(path);
    return ShortDigest(std::string(bytes.begin(), bytes.end()));
}

class Releases : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* release : {"r1", "r2"}) {
            fs::create_directories(dir / release);
            fs::copy(SM_SAMPLE_PRODUCT, dir / release + "/OrvNet", fs::copy_options::recursive);
        }
        ASSERT_EQ(Smx({"pack", dir / "r1/OrvNet", "-o", oldArchive, "--keep", "Data/*.tbl", "--keep",
                       "OrvServer/Data/*.tbl"})
                      .status,
                  0);
    }

    // The new release packed into an archive, then into an installer.
    void BuildNewRelease(const std::vector<std::string>& marks) {
        std::vector<std::string> pack = {"pack", dir / "r2/OrvNet", "-o", dir / "r2.smx"};
        pack.insert(pack.end(), marks.begin(), marks.end());
        ASSERT_EQ(Smx(pack).status, 0);
        ASSERT_EQ(Smx({"cab", dir / "r2.smx", "-o", dir / "r2.cab"}).status, 0);
        WriteWholeFile(newInstaller, MakePeImage({{PeResourceTypeRcdata, 9001, ReadWholeFile(dir / "r2.cab")}}).bytes);
    }

    TempDir dir;
    std::string oldArchive = dir / "r1.smx";
    std::string newInstaller = dir / "r2.exe";
};

TEST_F(Releases, DiffShowsWhatAnUpdateChanges) {
    std::string r2 = dir / "r2/OrvNet";
    std::string readme = r2 + "/Léame.txt";
    std::string clientes = r2 + "/Data/Clientes.tbl";
    std::string removed = r2 + "/Informes/Plantillas/Resumen del año.txt";
    std::string oldReadme = ShortDigestOf(readme), oldClientes = ShortDigestOf(clientes);
    auto oldReadmeSize = fs::file_size(readme), oldClientesSize = fs::file_size(clientes);
    auto removedSize = fs::file_size(removed);
    const std::string newReadme = "Léame de la versión 2.5.1";
    WriteWholeFile(readme, newReadme);
    WriteWholeFile(clientes, "tabla nueva");
    WriteWholeFile(r2 + "/Data/Nuevo.tbl", "nuevo");
    fs::remove(removed);
    // The server's tables are no longer kept on update.
    BuildNewRelease({"--keep", "Data/*.tbl"});

    SmxRun diff = Smx({"diff", oldArchive, newInstaller});
    EXPECT_EQ(diff.status, 0) << diff.err;
    EXPECT_EQ(diff.err, "");
    EXPECT_EQ(diff.out,
              "~ file Léame.txt: " + std::to_string(oldReadmeSize) + " -> " + std::to_string(newReadme.size()) +
                  " bytes, SHA-256 " + oldReadme + " -> " + ShortDigest(newReadme) + "\n" +
                  "~ file Data/Clientes.tbl: " + std::to_string(oldClientesSize) + " -> 11 bytes, SHA-256 " +
                  oldClientes + " -> " + ShortDigest("tabla nueva") +
                  "; kept on update: installed machines keep their copy\n"
                  "+ file Data/Nuevo.tbl (5 bytes, k-)\n"
                  "~ flags OrvServer/Data/Conexiones.tbl: k- -> --; an update now overwrites the installed copy\n"
                  "~ flags OrvServer/Data/Servidor.tbl: k- -> --; an update now overwrites the installed copy\n"
                  "- file Informes/Plantillas/Resumen del año.txt (" + std::to_string(removedSize) + " bytes)\n"
                  "1 added, 1 removed, 2 changed, 2 re-flagged\n"
                  "an update removes nothing: removed records stay on installed machines\n");

    SmxRun backwards = Smx({"diff", newInstaller, oldArchive});
    EXPECT_EQ(backwards.status, 0) << backwards.err;
    EXPECT_NE(backwards.out.find("~ flags OrvServer/Data/Servidor.tbl: -- -> k-; an update now keeps the installed copy\n"),
              std::string::npos)
        << backwards.out;
    EXPECT_NE(backwards.out.find("+ file Informes/Plantillas/Resumen del año.txt"), std::string::npos);
    EXPECT_NE(backwards.out.find("- file Data/Nuevo.tbl (5 bytes, k-)\n"), std::string::npos);
}

TEST_F(Releases, TheSameReleaseAsArchiveAndAsInstallerHasNoDifferences) {
    BuildNewRelease({"--keep", "Data/*.tbl", "--keep", "OrvServer/Data/*.tbl"});
    SmxRun diff = Smx({"diff", oldArchive, newInstaller});
    EXPECT_EQ(diff.status, 0) << diff.err;
    EXPECT_EQ(diff.out, "no differences\n");
}

TEST_F(Releases, ADamagedReleaseFailsNamingIt) {
    BuildNewRelease({});
    Bytes exe = ReadWholeFile(newInstaller);
    exe.resize(exe.size() - 100);
    WriteWholeFile(newInstaller, exe);
    SmxRun diff = Smx({"diff", oldArchive, newInstaller});
    EXPECT_EQ(diff.status, 1);
    EXPECT_EQ(diff.err.rfind("smx: " + newInstaller + ": damaged Windows program: RCDATA 9001", 0), 0u) << diff.err;
    EXPECT_EQ(diff.out, "");

    SmxRun missing = Smx({"diff", dir / "none.smx", oldArchive});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "smx: " + dir / "none.smx" + ": no such file\n");
}

}  // namespace

namespace {

ArchiveEntry FileEntry(const std::string& name, const std::string& digest, bool keep = false, bool system = false) {
    ArchiveEntry e;
    e.name = name;
    e.size = 4;
    e.sha256 = digest;
    e.keepOnUpdate = keep;
    e.toSystemFolder = system;
    return e;
}

ArchiveEntry DirEntry(const std::string& name) {
    ArchiveEntry e;
    e.name = name;
    e.directory = true;
    return e;
}

// The comparison itself, on contents made by hand: what the two releases
// of the sample product do not show.
TEST(DiffArchives, NamesMatchAsWindowsMatchesThemAndEveryKindOfChangeIsSaid) {
    const struct {
        const char* what;
        ArchiveContents before, after;
        std::string out;
    } cases[] = {
        {"letter case only",
         {"OrvNet", {DirEntry("Data"), FileEntry("Data\\A\xd1O.tbl", "1")}},
         {"OrvNet", {DirEntry("DATA"), FileEntry("data\\a\xf1o.TBL", "1")}},
         "no differences\n"},
        {"folders added and removed",
         {"OrvNet", {DirEntry("Viejo")}},
         {"OrvNet", {DirEntry("Nuevo")}},
         "+ dir  Nuevo\n- dir  Viejo\n1 added, 1 removed, 0 changed, 0 re-flagged\n"
         "an update removes nothing: removed records stay on installed machines\n"},
        {"a file that became a folder",
         {"OrvNet", {FileEntry("Ayuda", "1")}},
         {"OrvNet", {DirEntry("Ayuda")}},
         "+ dir  Ayuda\n- file Ayuda (4 bytes)\n1 added, 1 removed, 0 changed, 0 re-flagged\n"
         "an update removes nothing: removed records stay on installed machines\n"},
        {"another product folder",
         {"OrvNet", {}},
         {"OrvNet2", {}},
         "~ root OrvNet -> OrvNet2; an update installs into another product folder\n"
         "0 added, 0 removed, 1 changed, 0 re-flagged\n"},
        {"into the system folder",
         {"OrvNet", {FileEntry("SmComp.dll", "1")}},
         {"OrvNet", {FileEntry("SmComp.dll", "2", false, true)}},
         "~ file SmComp.dll: 4 -> 4 bytes, SHA-256 1 -> 2\n"
         "~ flags SmComp.dll: -- -> -s; now installed in the system folder and self-registered\n"
         "0 added, 0 removed, 1 changed, 1 re-flagged\n"},
    };
    for (const auto& c : cases) {
        std::ostringstream out;
        DiffArchives(c.before, c.after, out);
        EXPECT_EQ(out.str(), c.out) << c.what;
    }
}

}  // namespace
