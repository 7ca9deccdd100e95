// The user's "ORV" environment value. It changes what every later program of
// the user sees, so each case runs in a prefix of its own.
#include "platform/registry/registry_text.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(EnvironmentValue, WritesOrvUnderTheUsersEnvironment) {
    for (const char* text : {"C:\\OrvNet", "D:\\Datos de Orv\\Configuraci\xF3n", ""}) {
        SCOPED_TRACE(text);
        EXPECT_TRUE(SetEnvironmentValue(text));
        HKEY key = nullptr;
        ASSERT_EQ(RegOpenKeyA(HKEY_CURRENT_USER, "Environment", &key), ERROR_SUCCESS);
        char data[RegistryTextSize] = {};
        DWORD size = sizeof data;
        DWORD type = 0;
        EXPECT_EQ(RegQueryValueExA(key, "ORV", nullptr, &type, reinterpret_cast<BYTE*>(data), &size), ERROR_SUCCESS);
        RegCloseKey(key);
        EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
        EXPECT_EQ(size, std::strlen(text) + 1);
        EXPECT_STREQ(data, text);
    }
}

}  // namespace
