#include "install/cab_checksum.h"

#include "install/cab_format.h"

uint32_t CabChecksum(const uint8_t* bytes, size_t length, uint32_t seed) {
    uint32_t sum = seed;
    size_t words = length / 4;
    for (size_t i = 0; i < words; ++i, bytes += 4) sum ^= ReadU32(bytes);
    uint32_t tail = 0;
    switch (length % 4) {
        case 3: tail |= uint32_t(*bytes++) << 16; [[fallthrough]];
        case 2: tail |= uint32_t(*bytes++) << 8; [[fallthrough]];
        case 1: tail |= uint32_t(*bytes); break;
        default: break;
    }
    return sum ^ tail;
}

uint32_t CabDataBlockChecksum(const uint8_t* header, const uint8_t* data, size_t dataLength) {
    uint32_t dataSum = CabChecksum(data, dataLength, 0);
    return CabChecksum(header + cab::kCompressedSize, 4, dataSum);
}
