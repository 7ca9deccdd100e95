#pragma once
// The checksum a cabinet stores in each CFDATA block: the block's data and
// then its cbData/cbUncomp fields, XORed together as little-endian 32-bit
// words. The last 1 to 3 bytes of a run form one word in reverse order
// (first byte highest), as every cabinet reader expects.
#include <cstddef>
#include <cstdint>

uint32_t CabChecksum(const uint8_t* bytes, size_t length, uint32_t seed);

// csum of a CFDATA block: `header` is its 8-byte header (the csum field
// itself is not read), `data` its cbData bytes.
uint32_t CabDataBlockChecksum(const uint8_t* header, const uint8_t* data, size_t dataLength);
