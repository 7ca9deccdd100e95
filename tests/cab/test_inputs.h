#pragma once
// Deterministic inputs with the compressibility that matters to MSZIP.
#include <cstddef>
#include <vector>

using Bytes = std::vector<unsigned char>;

// Numbered lines of text: compresses well and has matches across blocks.
Bytes TextBytes(size_t size);
// Pseudo-random bytes from a fixed seed: deflate cannot shrink them.
Bytes NoiseBytes(size_t size, unsigned seed = 1);
// Runs of text, noise and zeros of uneven lengths, crossing block edges.
Bytes MixedBytes(size_t size);
