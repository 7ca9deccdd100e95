// Which record names the installer joins to the product folder: only those
// that stay inside it and that Windows stores as they are written.
#include <gtest/gtest.h>

#include "common/path_join.h"

namespace {

TEST(ContainedName, TakesOnlyNamesWindowsStoresAsWritten) {
    const struct {
        const char* name;
        bool taken;
    } cases[] = {
        {"OrvNet.exe", true},
        {"Data\\Clientes.tbl", true},
        {"Informes\\Plantillas\\Resumen del a\xF1o.txt", true},
        {"CONSOLA.txt", true},
        {"COM10", true},
        {"Data\\nul.tbl.bak", false},
        {"NUL", false},
        {"con", false},
        {"Prn.txt", false},
        {"AUX .log", false},
        {"Data\\COM1", false},
        {"lpt9.dat", false},
        {"COM\xB9", false},
        {"CONOUT$", false},
        {"Data\\a.", false},
        {"Data \\a.tbl", false},
        {"Data\\a.tbl ", false},
        {"..\\a", false},
        {"Data\\.\\a", false},
        {"C:\\a", false},
        {"\\a", false},
        {"Data\\\\a", false},
        {"a/b", false},
        {"a?b", false},
        {"a\x01" "b", false},
        {"", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsContainedName(c.name), c.taken) << c.name;
}

}  // namespace
