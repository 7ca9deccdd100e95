// The uninstaller's removal of the product tree, called in-process on trees
// made by each test: kept tables, links that lead out of the product folder,
// files another program holds.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/install_fixture.h"
#include "common/progress_sink.h"
#include "support/temp_dir.h"
#include "uninstaller/outcome_message.h"
#include "uninstaller/tree_removal.h"
#include "uninstaller/uninstall_texts.h"
#include "unix_link.h"

namespace {

void Put(const std::string& path, const std::string& text) {
    for (size_t slash = path.find('\\', 3); slash != std::string::npos; slash = path.find('\\', slash + 1)) {
        CreateDirectoryA(path.substr(0, slash).c_str(), nullptr);
    }
    WriteWholeFile(path, text);
}

// A product tree with tables where they are kept and where they are not.
const char* const kProductFiles[] = {
    "OrvNet.exe",
    "DesinstalarOrv25.exe",
    "top.tbl",
    "Data\\Clientes.tbl",
    "Data\\PRECIOS.TBL",
    "Data\\notas.txt",
    "Data\\Viejos\\2019.tbl",
    "OrvServer\\OrvServer.exe",
    "OrvServer\\Data\\Servidor.tbl",
    "Informes\\Plantillas\\Resumen del año.txt",
    ".oculto",
};

class TreeRemovalTest : public ::testing::Test {
protected:
    void SetUp() override {
        CreateDirectoryA(product.c_str(), nullptr);
        for (const char* file : kProductFiles) Put(product + "\\" + file, file);
        CreateDirectoryA((product + "\\Vacia").c_str(), nullptr);
    }

    TempDir temp;
    std::string product = temp.path() + "\\OrvNet";
};

struct KeepCase {
    const char* name;
    bool keepTables;
    int keptTables;
    std::vector<std::string> remaining;
};

class KeepingTables : public TreeRemovalTest, public ::testing::WithParamInterface<KeepCase> {};

TEST_P(KeepingTables, RemovesEverythingButTheKeptTablesAndTheirFolders) {
    const KeepCase& c = GetParam();
    TreeRemoval result = RemoveProductTree(product.c_str(), c.keepTables, nullptr);
    EXPECT_TRUE(result.leftovers.empty());
    EXPECT_EQ(result.keptTables, c.keptTables);
    EXPECT_EQ(result.folderRemoved, c.remaining.empty());
    if (c.remaining.empty()) {
        EXPECT_EQ(GetFileAttributesA(product.c_str()), INVALID_FILE_ATTRIBUTES);
    } else {
        EXPECT_EQ(ListTree(product), c.remaining);
        EXPECT_EQ(ReadText(product + "\\Data\\Clientes.tbl"), "Data\\Clientes.tbl");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, KeepingTables,
    ::testing::Values(KeepCase{"Removed", false, 0, {}},
                      KeepCase{"Kept",
                               true,
                               3,
                               {"Data\\", "Data\\Clientes.tbl", "Data\\PRECIOS.TBL", "OrvServer\\",
                                "OrvServer\\Data\\", "OrvServer\\Data\\Servidor.tbl"}}),
    [](const ::testing::TestParamInfo<KeepCase>& info) { return info.param.name; });

class FolderLog : public StatusSink {
public:
    void SetText(const char* text) override { folders.push_back(text); }
    std::vector<std::string> folders;
};

TEST_F(TreeRemovalTest, TellsEachFolderAsItIsEmptied) {
    FolderLog log;
    RemoveProductTree(product.c_str(), false, &log);
    ASSERT_FALSE(log.folders.empty());
    EXPECT_EQ(log.folders.front(), product);
    std::vector<std::string> inner(log.folders.begin() + 1, log.folders.end());
    std::sort(inner.begin(), inner.end());
    EXPECT_EQ(inner, (std::vector<std::string>{"Data", "Data\\Viejos", "Informes", "Informes\\Plantillas",
                                               "OrvServer", "OrvServer\\Data", "Vacia"}));
}

TEST_F(TreeRemovalTest, FolderWithoutTablesGoesEvenWhenTablesAreKept) {
    DeleteFileA((product + "\\Data\\Clientes.tbl").c_str());
    DeleteFileA((product + "\\Data\\PRECIOS.TBL").c_str());
    TreeRemoval result = RemoveProductTree(product.c_str(), true, nullptr);
    EXPECT_EQ(result.keptTables, 1);
    EXPECT_EQ(ListTree(product),
              (std::vector<std::string>{"OrvServer\\", "OrvServer\\Data\\", "OrvServer\\Data\\Servidor.tbl"}));
}

TEST_F(TreeRemovalTest, LinksAreNeitherFollowedNorRemovedAndWhatTheyReachSurvives) {
    // Outside the product folder: a folder with a file, an empty folder, a
    // file. Wine removes what a link points to, so all three are at risk.
    std::string outside = temp.path() + "\\Fuera";
    Put(outside + "\\Lleno\\valioso.txt", "valioso");
    CreateDirectoryA((outside + "\\Vacio").c_str(), nullptr);
    Put(outside + "\\archivo.txt", "archivo");
    MakeUnixLink(outside + "\\Lleno", product + "\\Data\\lleno");
    MakeUnixLink(outside + "\\Vacio", product + "\\vacio");
    MakeUnixLink(outside + "\\archivo.txt", product + "\\Informes\\archivo.txt");

    TreeRemoval result = RemoveProductTree(product.c_str(), false, nullptr);

    EXPECT_EQ(ReadText(outside + "\\Lleno\\valioso.txt"), "valioso");
    EXPECT_NE(GetFileAttributesA((outside + "\\Vacio").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(ReadText(outside + "\\archivo.txt"), "archivo");
    std::vector<std::string> leftovers = result.leftovers;
    std::sort(leftovers.begin(), leftovers.end());
    EXPECT_EQ(leftovers, (std::vector<std::string>{product + "\\Data\\lleno", product + "\\Informes\\archivo.txt",
                                                   product + "\\vacio"}));
    EXPECT_FALSE(result.folderRemoved);
    for (const char* gone : {"OrvNet.exe", "Data\\Clientes.tbl", "Informes\\Plantillas", "OrvServer"}) {
        EXPECT_EQ(GetFileAttributesA((product + "\\" + gone).c_str()), INVALID_FILE_ATTRIBUTES) << gone;
    }
}

TEST_F(TreeRemovalTest, HeldFileIsListedAndTheRestIsRemoved) {
    std::string heldPath = product + "\\Informes\\Plantillas\\Resumen del año.txt";
    HANDLE held = CreateFileA(heldPath.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    TreeRemoval result = RemoveProductTree(product.c_str(), false, nullptr);
    CloseHandle(held);

    EXPECT_EQ(result.leftovers, std::vector<std::string>{heldPath});
    EXPECT_EQ(ListTree(product), (std::vector<std::string>{"Informes\\", "Informes\\Plantillas\\",
                                                           "Informes\\Plantillas\\Resumen del año.txt"}));
}

TEST(OutcomeMessageTest, LongListsAreCutWithACountOfTheRest) {
    std::vector<std::string> leftovers;
    for (int i = 1; i <= 15; ++i) leftovers.push_back("C:\\OrvNet\\f" + std::to_string(i));
    char message[4096];
    OutcomeMessage("C:\\OrvNet", 2, leftovers, message, sizeof message);
    std::string expected = LeftoversText;
    for (int i = 1; i <= 12; ++i) expected += "\r\nC:\\OrvNet\\f" + std::to_string(i);
    expected += "\r\n" + std::string(MoreLeftoversText) + "3\r\n" + TablesKeptText + "C:\\OrvNet";
    EXPECT_EQ(message, expected);

    char small[40];
    OutcomeMessage("C:\\OrvNet", 0, leftovers, small, sizeof small);
    EXPECT_EQ(std::string(small), std::string(LeftoversText).substr(0, sizeof small - 1));
}

}  // namespace
