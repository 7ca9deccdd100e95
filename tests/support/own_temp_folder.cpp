#include "support/own_temp_folder.h"

#include <windows.h>

namespace {
bool Save(const char* name, std::string& value) {
    char buffer[MAX_PATH * 2];
    DWORD length = GetEnvironmentVariableA(name, buffer, sizeof buffer);
    if (length == 0 || length >= sizeof buffer) return false;
    value.assign(buffer, length);
    return true;
}

void Restore(const char* name, bool had, const std::string& value) {
    SetEnvironmentVariableA(name, had ? value.c_str() : nullptr);
}
}  // namespace

void OwnTempFolder::SetUp() {
    ThePC = &pc_;
    hadTmp_ = Save("TMP", savedTmp_);
    hadTemp_ = Save("TEMP", savedTemp_);
    SetEnvironmentVariableA("TMP", temp_.path().c_str());
    SetEnvironmentVariableA("TEMP", temp_.path().c_str());
    char reported[MAX_PATH];
    GetTempPathA(sizeof reported, reported);
    ASSERT_EQ(std::string(reported), temp_.path() + "\\");
}

void OwnTempFolder::TearDown() {
    Restore("TMP", hadTmp_, savedTmp_);
    Restore("TEMP", hadTemp_, savedTemp_);
    ThePC = nullptr;
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
