#pragma once
// Reads a Windows program's version resource (VS_VERSIONINFO, the bytes of
// resource type 16): the file version of its fixed part and the texts of
// its first string table (CompanyName, ProductName, ...), which Windows shows
// in the file's properties. Every block's length is checked against its
// parent's before anything inside it is read.
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

constexpr uint32_t PeResourceTypeVersion = 16;

struct VersionInfo {
    std::string fileVersion;  // "2.5.0.0", from the fixed part
    std::vector<std::pair<std::string, std::string>> texts;  // key, value; UTF-8

    // The value of `key`, or "" when the table has none.
    std::string Text(const std::string& key) const;
};

// False, with `problem` saying what is wrong, when the bytes are not a sound
// version resource.
bool ReadVersionInfo(const uint8_t* bytes, size_t length, VersionInfo& info, std::string& problem);
