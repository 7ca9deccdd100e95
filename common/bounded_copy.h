#pragma once
// Copying into fixed character buffers: a text that does not fit is cut at
// the buffer's end and stays NUL-terminated; nothing is written past it.
#include <cstddef>
#include <cstring>

// Copies at most capacity - 1 characters of source and terminates. Does
// nothing when capacity is 0. Returns the destination.
inline char* CopyBounded(char* destination, size_t capacity, const char* source) {
    if (capacity == 0) return destination;
    size_t length = source == nullptr ? 0 : std::strlen(source);
    if (length > capacity - 1) length = capacity - 1;
    std::memmove(destination, source, length);
    destination[length] = '\0';
    return destination;
}

// Appends source after the text already in destination, within capacity.
inline char* AppendBounded(char* destination, size_t capacity, const char* source) {
    if (capacity == 0) return destination;
    size_t used = strnlen(destination, capacity - 1);
    CopyBounded(destination + used, capacity - used, source);
    return destination;
}
