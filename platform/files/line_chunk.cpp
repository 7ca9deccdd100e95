#include "platform/files/line_chunk.h"

uint32_t CutLineAtCr(char* chunk, uint32_t bytesRead) {
    for (uint32_t i = 0; i < bytesRead; ++i) {
        if (chunk[i] == '\r') {
            chunk[i] = '\0';
            if (i + 1 < LineChunkSize) chunk[i + 1] = '\0';
            return i + 2;
        }
    }
    return 0;
}
