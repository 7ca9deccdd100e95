#pragma once
// The CR LF line rules shared by both file objects (SmFile, SmRawFile).
#include <cstdint>
#include <cstring>

// A line is read from a chunk of at most LineChunkSize - 1 bytes, so the
// chunk always keeps room for its terminator.
constexpr uint32_t LineChunkSize = 1024;

// Ends the chunk at its first CR (the CR and the byte after it become NUL)
// and returns how far the position moves: the line's length + 2, or 0 when
// the chunk holds no CR.
uint32_t CutLineAtCr(char* chunk, uint32_t bytesRead);

// Reads the line at position (of a file of the given size) into destination,
// copying at most capacity - 1 characters and always terminating it. Returns
// how far the position moves.
template <class File>
uint32_t ReadLineChunk(File& file, int32_t position, uint32_t size, char* destination, uint32_t capacity) {
    uint32_t at = static_cast<uint32_t>(position);
    if (at >= size || capacity == 0) return 0;
    char chunk[LineChunkSize] = {};
    uint32_t want = size - at;
    if (want > LineChunkSize - 1) want = LineChunkSize - 1;
    uint32_t got = file.ReadAt(position, chunk, want);
    uint32_t advance = CutLineAtCr(chunk, got);
    std::strncpy(destination, chunk, capacity - 1);
    destination[capacity - 1] = '\0';
    return advance;
}

// Writes the text and CR LF at position; returns how far the position moves.
template <class File>
uint32_t WriteLineChunk(File& file, int32_t position, const char* text) {
    uint32_t length = static_cast<uint32_t>(std::strlen(text));
    file.WriteAt(position, text, length);
    static const char kCrLf[2] = {'\r', '\n'};
    file.WriteAt(position + static_cast<int32_t>(length), kCrLf, 2);
    return length + 2;
}
