// Reading a registry value as text into the shared buffer. Each test
// program works under a key of its own, removed afterwards.
#include "platform/registry/registry_text.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

class RegistryTextTest : public ::testing::Test {
protected:
    void SetUp() override {
        keyName_ = "Software\\OrvNetTests\\RegistryText" + std::to_string(GetCurrentProcessId());
        ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, keyName_.c_str(), &key_), ERROR_SUCCESS);
        Set("stale", REG_SZ, std::string("stale text") + '\0');
    }
    void TearDown() override {
        RegCloseKey(key_);
        RegDeleteKeyA(HKEY_CURRENT_USER, keyName_.c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\OrvNetTests");  // only when no other program uses it
    }

    void Set(const char* name, DWORD type, const std::string& data) {
        ASSERT_EQ(RegSetValueExA(key_, name, 0, type, reinterpret_cast<const BYTE*>(data.data()),
                                 static_cast<DWORD>(data.size())),
                  ERROR_SUCCESS);
    }
    // Fills the shared buffer with another value's text first, so that a
    // result left over from it shows.
    std::string ReadAfterStale(const char* name) {
        EXPECT_STREQ(ReadRegistryText(key_, "stale"), "stale text");
        return ReadRegistryText(key_, name);
    }

    std::string keyName_;
    HKEY key_ = nullptr;
};

std::string Text(const std::string& text) { return text + '\0'; }

std::string Little(uint64_t number, size_t width) {
    std::string bytes;
    for (size_t i = 0; i < width; ++i) bytes += static_cast<char>((number >> (8 * i)) & 0xff);
    return bytes;
}

TEST_F(RegistryTextTest, EachTypeAsText) {
    std::string hexOf255;
    std::string bytes255;
    for (int i = 0; i < 255; ++i) {
        bytes255 += static_cast<char>(i);
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02X", i);
        hexOf255 += pair;
    }
    struct Case {
        const char* name;
        DWORD type;
        std::string data;
        std::string text;
    };
    const Case cases[] = {
        {"text", REG_SZ, Text("C:\\OrvNet\\Datos"), "C:\\OrvNet\\Datos"},
        {"accented text", REG_SZ, Text("Configuraci\xF3n"), "Configuraci\xF3n"},
        {"empty text", REG_SZ, Text(""), ""},
        {"text stored without terminator", REG_SZ, "abc", "abc"},
        {"text of 511 characters", REG_SZ, Text(std::string(511, 'a')), std::string(511, 'a')},
        {"text of 512 characters", REG_SZ, Text(std::string(512, 'a')), ""},
        {"text of 512 characters stored without terminator", REG_SZ, std::string(512, 'a'), ""},
        {"expandable text, not expanded", REG_EXPAND_SZ, Text("%TEMP%\\OrvNet"), "%TEMP%\\OrvNet"},
        {"number", REG_DWORD, Little(42, 4), "42"},
        {"largest number", REG_DWORD, Little(0xFFFFFFFFu, 4), "4294967295"},
        {"64-bit number", REG_QWORD, Little(5000000000ull, 8), "5000000000"},
        {"bytes", REG_BINARY, std::string("\x0a\xff\x00\x10", 4), "0AFF0010"},
        {"no bytes", REG_BINARY, "", ""},
        {"255 bytes", REG_BINARY, bytes255, hexOf255},
        {"256 bytes", REG_BINARY, bytes255 + 'x', ""},
        {"list of texts", REG_MULTI_SZ, std::string("a\0b\0\0", 5), ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Set("value", c.type, c.data);
        EXPECT_EQ(ReadAfterStale("value"), c.text);
    }
}

TEST_F(RegistryTextTest, MissingValueLeavesTheSharedBufferUnchanged) {
    char* shared = ReadRegistryText(key_, "stale");
    EXPECT_EQ(ReadRegistryText(key_, "missing"), shared);
    EXPECT_STREQ(shared, "stale text");
    EXPECT_EQ(ReadRegistryKeyText(HKEY_CURRENT_USER, "Software\\OrvNetTests\\Missing", "stale"), shared);
    EXPECT_STREQ(shared, "stale text");
    EXPECT_EQ(ReadRegistryKeyText(HKEY_CURRENT_USER, keyName_.c_str(), "missing"), shared);
    EXPECT_STREQ(shared, "stale text");
}

TEST_F(RegistryTextTest, ReadRegistryKeyTextOpensTheSubKey) {
    Set("Publisher", REG_SZ, Text("Velmarisco"));
    EXPECT_STREQ(ReadRegistryKeyText(HKEY_CURRENT_USER, keyName_.c_str(), "Publisher"), "Velmarisco");
}

}  // namespace
