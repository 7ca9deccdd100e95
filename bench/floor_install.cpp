// The floor for an install run: the same three steps as the installer, done
// the plainest way the system allows. The cabinet is written to the
// temporary folder, expanded with the same system decompressor, and the
// archive is read front to back with ReadFile into one reused buffer while
// every folder is made with CreateDirectoryA and every file written with
// CreateFileA / WriteFile / CloseHandle. No checks, no progress, no messages.
// Prints one line of figures: phase times in milliseconds and the peak
// working set in bytes.
//
// Usage: floor_install CABINET TARGET_FOLDER
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "install/smx_format.h"

namespace {
const UINT kMsZipCompression = 2;  // FILE_COMPRESSION_MSZIP

double NowMs() {
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * double(count.QuadPart) / double(frequency.QuadPart);
}

bool ReadExactly(HANDLE file, void* buffer, DWORD count) {
    DWORD got = 0;
    return ReadFile(file, buffer, count, &got, nullptr) && got == count;
}

bool WriteWhole(const std::string& path, const void* bytes, DWORD count) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = WriteFile(file, bytes, count, &written, nullptr) && written == count;
    return CloseHandle(file) && ok;
}

bool CopyCabinet(const char* source, const std::string& target) {
    HANDLE file = CreateFileA(source, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD size = GetFileSize(file, nullptr);
    std::vector<char> bytes(size);
    bool ok = ReadExactly(file, bytes.data(), size);
    CloseHandle(file);
    return ok && WriteWhole(target, bytes.data(), size);
}

bool Decompress(const std::string& cabinet, const std::string& archive) {
    char library[MAX_PATH];
    GetSystemDirectoryA(library, MAX_PATH);
    std::strcat(library, "\\SetupApi.dll");
    HMODULE setup = LoadLibraryA(library);
    using DecompressCall = DWORD(WINAPI*)(PCSTR, PCSTR, PUINT);
    auto decompress = setup ? reinterpret_cast<DecompressCall>(
                                  reinterpret_cast<void*>(GetProcAddress(setup, "SetupDecompressOrCopyFileA")))
                            : nullptr;
    UINT compression = kMsZipCompression;
    bool ok = decompress != nullptr && decompress(cabinet.c_str(), archive.c_str(), &compression) == 0;
    if (setup) FreeLibrary(setup);
    return ok;
}

// Lays the archive's records below target; false at the first failure.
bool Walk(const std::string& archivePath, const std::string& target) {
    HANDLE archive = CreateFileA(archivePath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                 FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (archive == INVALID_HANDLE_VALUE) return false;
    DWORD length = GetFileSize(archive, nullptr);
    uint8_t raw[SmxHeaderSize];
    SmxHeader header;
    bool ok = ReadExactly(archive, raw, SmxHeaderSize);
    DecodeSmxHeader(raw, header);
    std::string folder = target + "\\" + header.name;
    CreateDirectoryA(folder.c_str(), nullptr);
    std::vector<char> content;
    for (DWORD offset = SmxHeaderSize; ok && offset < length;) {
        ok = ReadExactly(archive, raw, SmxHeaderSize);
        DecodeSmxHeader(raw, header);
        offset += SmxHeaderSize;
        if (!ok || header.name[0] == '\0') continue;
        std::string path = folder + "\\" + header.name;
        if (header.kind == SmxKindDirectory) {
            ok = CreateDirectoryA(path.c_str(), nullptr) != 0;
            continue;
        }
        if (content.size() < header.size) content.resize(header.size);
        ok = ReadExactly(archive, content.data(), header.size) && WriteWhole(path, content.data(), header.size);
        offset += header.size;
    }
    CloseHandle(archive);
    return ok;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: floor_install CABINET TARGET_FOLDER\n");
        return 2;
    }
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string cabinet = std::string(temp) + "FloorPayload.cab";
    std::string archive = std::string(temp) + "FloorPayload.smx";
    CreateDirectoryA(argv[2], nullptr);

    double start = NowMs();
    bool ok = CopyCabinet(argv[1], cabinet);
    double written = NowMs();
    ok = ok && Decompress(cabinet, archive);
    double expanded = NowMs();
    ok = ok && Walk(archive, argv[2]);
    double walked = NowMs();
    DeleteFileA(archive.c_str());
    DeleteFileA(cabinet.c_str());
    if (!ok) {
        std::fprintf(stderr, "floor_install: failed (system error %lu)\n", GetLastError());
        return 1;
    }
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    std::printf("payload_ms=%.1f decompress_ms=%.1f walk_ms=%.1f peak_ws=%lu\n", written - start, expanded - written,
                walked - expanded, static_cast<unsigned long>(memory.PeakWorkingSetSize));
    return 0;
}
