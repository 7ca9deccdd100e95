// The floor for an install run: the same three steps as the installer, done
// the plainest way the system allows. The cabinet is written to the
// temporary folder, expanded with the same system decompressor, and the
// archive is read front to back with ReadFile into one reused buffer while
// every folder is made with CreateDirectoryA and every file written with
// CreateFileA / WriteFile / CloseHandle. No checks, no progress, no messages.
//
// With --screen it also does what the install run's design asks of the
// screen during the walk, and nothing else: a window of the consent
// screen's size with a progress bar of the same size and style, one message
// handled (PeekMessage, TranslateMessage, DispatchMessage) before every
// record, the bar moved to the count of files whenever that changes its
// drawn fill. The difference between the two floors is what those screen
// updates cost.
//
// Prints one line of figures: phase times in milliseconds and the peak
// working set in bytes.
//
// Usage: floor_install [--screen] CABINET TARGET_FOLDER
#include <windows.h>
#include <commctrl.h>
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

// The consent screen's geometry: the window and its progress bar.
constexpr int kScreenWidth = 650;
constexpr int kScreenHeight = 445;
constexpr RECT kBar = {20, 310, 620, 319};

// A window with the consent screen's progress bar; nothing without --screen.
class Screen {
public:
    explicit Screen(bool shown) {
        if (!shown) return;
        INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS};
        InitCommonControlsEx(&controls);
        window_ = CreateWindowExA(0, "STATIC", "OrvNet", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, kScreenWidth,
                                  kScreenHeight, nullptr, nullptr, nullptr, nullptr);
        bar_ = CreateWindowExA(WS_EX_CLIENTEDGE, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE | PBS_SMOOTH, kBar.left,
                               kBar.top, kBar.right - kBar.left, kBar.bottom - kBar.top, window_, nullptr, nullptr,
                               nullptr);
        while (Pump()) {
        }
    }
    ~Screen() {
        if (window_ != nullptr) DestroyWindow(window_);
    }
    void SetRange(uint32_t maximum) {
        maximum_ = maximum;
        if (bar_ != nullptr) SendMessageA(bar_, PBM_SETRANGE, 0, MAKELPARAM(0, static_cast<WORD>(maximum)));
    }
    // One waiting message at most, as the install run's pump.
    bool Pump() {
        MSG message;
        if (window_ == nullptr || !PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) return false;
        TranslateMessage(&message);
        DispatchMessageA(&message);
        return true;
    }
    void Step() {
        ++count_;
        if (bar_ == nullptr || maximum_ == 0) return;
        long long fill = static_cast<long long>(count_) * (kBar.right - kBar.left) / maximum_;
        if (fill == drawnFill_) return;
        drawnFill_ = fill;
        SendMessageA(bar_, PBM_SETPOS, count_, 0);
    }

private:
    HWND window_ = nullptr;
    HWND bar_ = nullptr;
    int count_ = 0;
    uint32_t maximum_ = 0;
    long long drawnFill_ = 0;
};

// Lays the archive's records below target; false at the first failure.
bool Walk(const std::string& archivePath, const std::string& target, Screen& screen) {
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
    screen.SetRange(header.size);
    std::vector<char> content;
    for (DWORD offset = SmxHeaderSize; ok && offset < length;) {
        screen.Pump();
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
        screen.Step();
    }
    CloseHandle(archive);
    return ok;
}
}  // namespace

int main(int argc, char** argv) {
    bool withScreen = argc == 4 && std::strcmp(argv[1], "--screen") == 0;
    if (argc != 3 && !withScreen) {
        std::fprintf(stderr, "usage: floor_install [--screen] CABINET TARGET_FOLDER\n");
        return 2;
    }
    const char* source = argv[argc - 2];
    const char* target = argv[argc - 1];
    Screen screen(withScreen);
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string cabinet = std::string(temp) + "FloorPayload.cab";
    std::string archive = std::string(temp) + "FloorPayload.smx";
    CreateDirectoryA(target, nullptr);

    double start = NowMs();
    bool ok = CopyCabinet(source, cabinet);
    double written = NowMs();
    ok = ok && Decompress(cabinet, archive);
    double expanded = NowMs();
    ok = ok && Walk(archive, target, screen);
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
