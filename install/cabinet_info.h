#pragma once
// Reads what a Microsoft Cabinet records about its first file, so that the
// result of the system's decompressor can be checked: some decompressors
// report success for a damaged cabinet and leave a short or empty file.
#include <cstdint>

struct CabinetInfo {
    uint32_t cabinetLength = 0;  // cbCabinet: the cabinet's own length
    uint32_t fileCount = 0;
    uint32_t firstFileLength = 0;  // cbFile of the first file entry
};

// False when the bytes are not a cabinet header with at least one complete
// file entry inside `length` bytes.
bool ReadCabinetInfo(const uint8_t* bytes, uint32_t length, CabinetInfo& info);
