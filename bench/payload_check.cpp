// What the installer's check of its payload costs: the same function the
// installer runs on its loaded resource, here on the cabinet read into
// memory (the page cache warm, as the installer's image is once loaded).
// Prints "check_ms=..." (the fastest of three) and the block count.
#include <windows.h>

#include <cstdio>
#include <vector>

#include "install/payload_check.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: payload_check CABINET\n");
        return 2;
    }
    HANDLE file = CreateFileA(argv[1], GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    DWORD size = file == INVALID_HANDLE_VALUE ? 0 : GetFileSize(file, nullptr);
    std::vector<uint8_t> bytes(size);
    DWORD got = 0;
    bool read = size > 0 && ReadFile(file, bytes.data(), size, &got, nullptr) && got == size;
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    if (!read) {
        std::fprintf(stderr, "payload_check: cannot read %s\n", argv[1]);
        return 1;
    }
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    double best = 0;
    PayloadCabinet cabinet;
    for (int round = 0; round < 3; ++round) {
        QueryPerformanceCounter(&start);
        PayloadFault fault = CheckPayloadCabinet(bytes.data(), size, cabinet);
        QueryPerformanceCounter(&end);
        if (fault != PayloadFault::None) {
            std::fprintf(stderr, "payload_check: %s fails the check\n", argv[1]);
            return 1;
        }
        double ms = 1000.0 * double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart);
        if (round == 0 || ms < best) best = ms;
    }
    std::printf("check_ms=%.2f blocks=%u\n", best, cabinet.blockCount);
    return 0;
}
