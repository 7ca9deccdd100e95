// System registration on its own: the uninstall entry, freeing a file for
// replacement, and self-registration.
#include "install/registration.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "install/install_state.h"
#include "support/install_fixture.h"
#include "platform/pc/pc.h"

namespace fs = std::filesystem;

namespace {

class Registration : public ::testing::Test {
protected:
    void SetUp() override {
        ThePC = &pc;
        std::strncpy(InstalledFolder, product.path().c_str(), sizeof InstalledFolder - 1);
    }
    void TearDown() override { ThePC = nullptr; }

    PC pc;
    TempDir product;
    MachineFolders machine = ReadMachineFolders();
    std::string Copy() const { return machine.windows + "\\DesinstalarOrv25.exe"; }
};

TEST_F(Registration, WithoutUninstallerOnlyTheAutostartValueIsWritten) {
    EXPECT_TRUE(RegisterServerAutostart(InstalledFolder));
    EXPECT_EQ(MachineRegistryText(RunKey, "OrvServer"), product / "OrvServer\\OrvServer.exe");
    EXPECT_EQ(MachineRegistryText(UninstallKey, "DisplayName"), std::nullopt);
    EXPECT_FALSE(fs::exists(Copy()));
}

TEST_F(Registration, PresentUninstallerCopyIsReplacedWhole) {
    WriteWholeFile(product / "DesinstalarOrv25.exe", std::string("new"));
    WriteWholeFile(Copy(), std::string("an older, longer uninstaller"));
    EXPECT_TRUE(WriteUninstallEntry());
    EXPECT_EQ(ReadText(Copy()), "new");
    EXPECT_EQ(MachineRegistryText(UninstallKey, "Publisher"), "Velmarisco");
}

TEST_F(Registration, UninstallStringThatWouldOverflowItsBufferIsNotWritten) {
    // A folder of 230 characters: the uninstaller inside it is still a valid
    // path, but "<copy>" <folder> does not fit in 254 characters.
    std::string deep = product.path() + "\\" + std::string(230 - product.path().size() - 1, 'd');
    fs::create_directories(deep);
    WriteWholeFile(deep + "\\DesinstalarOrv25.exe", std::string("u"));
    std::strncpy(InstalledFolder, deep.c_str(), sizeof InstalledFolder - 1);
    EXPECT_FALSE(WriteUninstallEntry());
    EXPECT_EQ(MachineRegistryText(UninstallKey, "UninstallString"), std::nullopt);
}

TEST_F(Registration, ClearForReplace) {
    std::string absent = product / "absent.dll";
    EXPECT_TRUE(ClearForReplace(absent.c_str()));
    EXPECT_FALSE(fs::exists(absent));

    std::string free = product / "free.dll";
    WriteWholeFile(free, std::string("x"));
    EXPECT_TRUE(ClearForReplace(free.c_str()));
    EXPECT_FALSE(fs::exists(free));

    std::string held = product / "held.dll";
    WriteWholeFile(held, std::string("x"));
    HANDLE handle = CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(ClearForReplace(held.c_str()));
    CloseHandle(handle);
    EXPECT_EQ(ReadText(held), "x");
}

TEST_F(Registration, SelfRegisterComponent) {
    std::string text = product / "text.dll";
    WriteWholeFile(text, std::string("not a library"));
    EXPECT_EQ(SelfRegisterComponent(text.c_str()), 0);
    EXPECT_EQ(SelfRegisterComponent((product / "missing.dll").c_str()), 0);

    std::string library = product / "registers.dll";
    ASSERT_TRUE(CopyFileA(BesideTestProgram("test_component.dll").c_str(), library.c_str(), FALSE));
    EXPECT_EQ(SelfRegisterComponent(library.c_str()), S_OK);
    EXPECT_EQ(MachineRegistryText("Software\\SmTestComponent", "registers.dll"), "registered");
    // Unloaded again: the file can be removed at once.
    EXPECT_TRUE(DeleteFileA(library.c_str()));
}

}  // namespace
