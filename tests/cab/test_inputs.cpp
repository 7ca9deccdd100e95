#include "test_inputs.h"

#include <string>

Bytes TextBytes(size_t size) {
    Bytes out;
    out.reserve(size + 64);
    for (unsigned line = 0; out.size() < size; ++line) {
        std::string text = "Material " + std::to_string(line * 7919 % 1000) + " density " +
                           std::to_string(line % 97) + " kg/m3; OrvNet table row\r\n";
        out.insert(out.end(), text.begin(), text.end());
    }
    out.resize(size);
    return out;
}

Bytes NoiseBytes(size_t size, unsigned seed) {
    Bytes out(size);
    unsigned long long state = 0x9E3779B97F4A7C15ull * (seed + 1);
    for (auto& b : out) {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        b = static_cast<unsigned char>(state >> 24);
    }
    return out;
}

Bytes MixedBytes(size_t size) {
    Bytes out;
    out.reserve(size);
    for (unsigned part = 0; out.size() < size; ++part) {
        size_t length = 5000 + part * 3331 % 40000;
        Bytes piece = part % 3 == 0 ? TextBytes(length) : part % 3 == 1 ? NoiseBytes(length, part) : Bytes(length, 0);
        out.insert(out.end(), piece.begin(), piece.end());
    }
    out.resize(size);
    return out;
}
