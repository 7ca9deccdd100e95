#include "support/archive_bytes.h"

#include <cstring>

#include "install/smx_format.h"

ByteVector Header(uint32_t kind, const std::string& name, uint32_t size, uint8_t keep, uint8_t system) {
    SmxHeader header;
    header.kind = kind;
    header.keepOnUpdate = keep;
    header.toSystemFolder = system;
    std::strncpy(header.name, name.c_str(), SmxMaxNameLength);
    header.size = size;
    uint8_t raw[SmxHeaderSize];
    EncodeSmxHeader(header, raw);
    return ByteVector(raw, raw + SmxHeaderSize);
}

ByteVector Cat(std::initializer_list<ByteVector> parts) {
    ByteVector all;
    for (const ByteVector& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

ByteVector Text(const std::string& text) { return ByteVector(text.begin(), text.end()); }
