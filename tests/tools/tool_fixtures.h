#pragma once
// Small helpers for the packer's tests: product trees on disk and archives
// crafted byte by byte.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

using Bytes = std::vector<unsigned char>;

// Creates `folder` and the given files below it ('/'-separated, UTF-8);
// a path ending in '/' makes an empty folder.
void MakeTree(const std::string& folder, const std::vector<std::pair<std::string, std::string>>& files);

// One 160-byte header; `name` goes in as given (Windows-1252 bytes).
Bytes Header(uint32_t kind, const std::string& name, uint32_t size, uint8_t keep = 0, uint8_t system = 0);
Bytes Cat(std::initializer_list<Bytes> parts);
Bytes Text(const std::string& text);

// Every record of an archive as "kind flags size name" lines, read back with
// the shared header codec.
std::vector<std::string> RecordLines(const Bytes& archive);
