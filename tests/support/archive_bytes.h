#pragma once
// Package archive bytes for tests, crafted piece by piece so that damaged
// archives can be made as easily as good ones.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

using ByteVector = std::vector<unsigned char>;

// One 160-byte record header; `name` goes in as given (cut at 149 bytes).
ByteVector Header(uint32_t kind, const std::string& name, uint32_t size, uint8_t keep = 0, uint8_t system = 0);
ByteVector Cat(std::initializer_list<ByteVector> parts);
ByteVector Text(const std::string& text);
