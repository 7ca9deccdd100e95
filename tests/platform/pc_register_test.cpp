// PC::RegisterComponent and UnregisterComponent call the library's own entry
// point and always answer 1.
#include "platform/pc/pc.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "support/beside_test.h"
#include "support/temp_dir.h"

namespace {

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(PcRegister, CallsTheMatchingEntryPoint) {
    PC pc;
    TempDir dir;
    std::string log = dir / "log.txt";
    ASSERT_TRUE(SetEnvironmentVariableA("SM_COMPONENT_LOG", log.c_str()));
    std::string component = BesideTest("sm_test_component.dll");
    ASSERT_TRUE(pc.Exists(component.c_str()));

    EXPECT_EQ(pc.RegisterComponent(component.c_str()), 1);
    EXPECT_EQ(ReadText(log), "DllRegisterServer\n");
    EXPECT_EQ(pc.UnregisterComponent(component.c_str()), 1);
    EXPECT_EQ(ReadText(log), "DllRegisterServer\nDllUnregisterServer\n");
    // Unloaded after each call: the file can be removed at once.
    EXPECT_EQ(GetModuleHandleA("sm_test_component.dll"), nullptr);
}

TEST(PcRegister, LibrariesThatCannotBeUsedStillAnswerOne) {
    PC pc;
    TempDir dir;
    std::string text = dir / "text.dll";
    WriteWholeFile(text, std::string("not a library"));
    // A library without the entry points: one of the system's own.
    const std::string paths[] = {dir / "missing.dll", text, "kernel32.dll"};
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        EXPECT_EQ(pc.RegisterComponent(path.c_str()), 1);
        EXPECT_EQ(pc.UnregisterComponent(path.c_str()), 1);
    }
}

}  // namespace
