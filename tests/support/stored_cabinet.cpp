#include "stored_cabinet.h"

#include <cstdint>

#include "install/cab_checksum.h"

namespace {
void Put16(std::vector<unsigned char>& out, uint32_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}
void Put32(std::vector<unsigned char>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}
void Patch32(std::vector<unsigned char>& out, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + i] = uint8_t(v >> (8 * i));
}
constexpr uint32_t kBlock = 32768;
}  // namespace

std::vector<unsigned char> StoredCabinet(const std::vector<unsigned char>& content, const std::string& name) {
    const uint32_t size = static_cast<uint32_t>(content.size());
    const uint32_t blocks = (size + kBlock - 1) / kBlock;
    const uint32_t headerLength = 36, folderLength = 8;
    const uint32_t filesOffset = headerLength + folderLength;
    const uint32_t dataOffset = filesOffset + 16 + static_cast<uint32_t>(name.size()) + 1;

    std::vector<unsigned char> out = {'M', 'S', 'C', 'F'};
    Put32(out, 0);  // reserved
    Put32(out, 0);  // cbCabinet, patched below
    Put32(out, 0);
    Put32(out, filesOffset);
    Put32(out, 0);
    out.push_back(3);  // version 1.3
    out.push_back(1);
    Put16(out, 1);      // folders
    Put16(out, 1);      // files
    Put16(out, 0);      // flags
    Put16(out, 12345);  // set id
    Put16(out, 0);      // index
    // Folder: first data block, block count, no compression.
    Put32(out, dataOffset);
    Put16(out, blocks);
    Put16(out, 0);
    // File entry.
    Put32(out, size);
    Put32(out, 0);
    Put16(out, 0);
    Put16(out, 0x5A21);  // 2025-01-01
    Put16(out, 0);
    Put16(out, 0x20);
    out.insert(out.end(), name.begin(), name.end());
    out.push_back(0);
    for (uint32_t b = 0; b < blocks; ++b) {
        uint32_t start = b * kBlock;
        uint32_t length = size - start < kBlock ? size - start : kBlock;
        size_t header = out.size();
        Put32(out, 0);  // checksum, patched below
        Put16(out, length);
        Put16(out, length);
        out.insert(out.end(), content.begin() + start, content.begin() + start + length);
        Patch32(out, header, CabDataBlockChecksum(out.data() + header, out.data() + header + 8, length));
    }
    Patch32(out, 8, static_cast<uint32_t>(out.size()));
    return out;
}
