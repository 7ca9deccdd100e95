// PC::Decompress when the system's setup library is missing or lacks the
// decompressor: the failure is reported and no target appears. Each case
// changes the system folder, so it runs in a Windows of its own.
#include "platform/pc/pc.h"

#include <gtest/gtest.h>

#include <string>

#include "support/beside_test.h"
#include "support/temp_dir.h"

namespace {

std::string SetupLibraryPath() {
    PC pc;
    char folder[PathBufferSize];
    return std::string(pc.SystemFolder(folder)) + "\\SetupApi.dll";
}

TEST(PcDecompressSetup, MissingLibrary) {
    PC pc;
    TempDir dir;
    std::string library = SetupLibraryPath();
    ASSERT_TRUE(MoveFileA(library.c_str(), (library + ".away").c_str()));
    std::string target = dir / "out.smx";
    DWORD result = pc.Decompress(BesideTest("cabinet.cab").c_str(), target.c_str());
    EXPECT_NE(result, 0u);
    EXPECT_FALSE(pc.Exists(target.c_str()));
}

TEST(PcDecompressSetup, LibraryWithoutTheDecompressor) {
    PC pc;
    TempDir dir;
    std::string library = SetupLibraryPath();
    ASSERT_TRUE(CopyFileA(BesideTest("sm_test_component.dll").c_str(), library.c_str(), FALSE));
    // Wine prefers its built-in library to the file; make it load the file.
    HKEY overrides = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "Software\\Wine\\DllOverrides", &overrides), ERROR_SUCCESS);
    RegSetValueExA(overrides, "setupapi", 0, REG_SZ, reinterpret_cast<const BYTE*>("native"), 7);
    RegCloseKey(overrides);
    std::string target = dir / "out.smx";
    EXPECT_EQ(pc.Decompress(BesideTest("cabinet.cab").c_str(), target.c_str()),
              static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
    EXPECT_FALSE(pc.Exists(target.c_str()));
}

}  // namespace
