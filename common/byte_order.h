#pragma once
// Little-endian fields, as the package archive, the cabinet and Windows
// executables store them: the one reader and writer of each width.
#include <cstdint>

inline uint16_t ReadU16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
inline uint32_t ReadU32(const uint8_t* p) { return uint32_t(ReadU16(p)) | uint32_t(ReadU16(p + 2)) << 16; }

inline void WriteU16(uint8_t* p, uint16_t v) {
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
}
inline void WriteU32(uint8_t* p, uint32_t v) {
    WriteU16(p, uint16_t(v));
    WriteU16(p + 2, uint16_t(v >> 16));
}
