#pragma once
// Reading the body of an opened address chunk by chunk: the one loop behind
// every transfer of the download object and the online package routine.
#include <cstdint>

#include "platform/net/internet_open.h"

enum class BodyEnd {
    Ended,         // the server's stream ended (a read of 0 bytes)
    ReadFailed,    // the internet library reported an error, or the stream
                   // ended short of the length the server announced
    Refused,       // the chunk handler asked to stop
    LimitReached,  // the received count reached the limit
};

struct BodyRead {
    uint32_t received;  // bytes read, the refused chunk included
    BodyEnd end;
};

constexpr uint32_t NoLimit = UINT32_MAX;

// Reads up to `capacity` bytes at a time into buffer and hands each chunk to
// take(chunk, count, received so far), which returns false to stop. Stops
// after the chunk that brings the received count to `limit` or beyond. A
// connection that drops before the announced length reads like the end of
// the stream (a read of 0 bytes), so that end is checked against it.
template <class Take>
BodyRead ReadBody(HINTERNET url, char* buffer, uint32_t capacity, uint32_t limit, Take take) {
    uint32_t announced = 0;
    const bool lengthKnown = AnnouncedLength(url, announced);
    uint32_t received = 0;
    for (;;) {
        DWORD got = 0;
        if (!InternetReadFile(url, buffer, capacity, &got)) return {received, BodyEnd::ReadFailed};
        if (got == 0) {
            bool cut = lengthKnown && received < announced;
            return {received, cut ? BodyEnd::ReadFailed : BodyEnd::Ended};
        }
        received += got;
        if (!take(buffer, static_cast<uint32_t>(got), received)) {
            return {received, BodyEnd::Refused};
        }
        if (received >= limit) return {received, BodyEnd::LimitReached};
    }
}
