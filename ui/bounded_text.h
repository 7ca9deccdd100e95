#pragma once
#include <cstddef>
#include <cstring>

// Copies at most capacity - 1 characters of source into a buffer of
// `capacity` bytes and ends it with a NUL; a longer text is cut. A null
// source leaves an empty text.
inline void CopyBounded(char* buffer, std::size_t capacity, const char* source) {
    std::size_t length = 0;
    if (source != nullptr) {
        while (length + 1 < capacity && source[length] != '\0') ++length;
        std::memcpy(buffer, source, length);
    }
    buffer[length] = '\0';
}
