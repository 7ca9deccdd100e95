// Drives the real installer from outside through one fresh installation, as
// a user would, and measures it without touching it:
//   - phases, from the click on "Acepto": the payload is written until the
//     archive file appears in the temporary folder (the decompressor creates
//     it); the decompression lasts until the status line reads "Instalando
//     archivos del programa..."; the extraction walk until the server
//     question appears; the completion until the success message;
//   - the longest time the consent screen leaves a WM_NULL unanswered, and
//     the phases in which that wait began and ended: a second thread keeps
//     sending it one, with a timeout, every few ms;
//   - the installer's peak working set and peak private memory (commit
//     charge), read when the success message is up.
// Prints one line of figures (milliseconds, bytes); exit status 1 when the
// installation did not end in success.
//
// Usage: install_driver INSTALLER.exe
#include <windows.h>
#include <psapi.h>

#include <atomic>
#include <cstdio>
#include <exception>
#include <string>
#include <thread>

#include "common/product_texts.h"
#include "support/installer_session.h"
#include "support/dialog_answerer.h"

namespace {
constexpr DWORD kPollMs = 1;
constexpr DWORD kPingGapMs = 5;
constexpr UINT kPingTimeoutMs = 600000;
constexpr double kRunTimeoutMs = 1800000;
const char* const kPhaseNames[] = {"idle", "payload", "decompression", "walk", "completion", "done"};
enum Phase { Idle, Payload, Decompression, WalkPhase, Completion, Done };

double NowMs() {
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * double(count.QuadPart) / double(frequency.QuadPart);
}

// Keeps asking the screen to answer; remembers the longest wait and the
// phase in which that wait began.
class Pinger {
public:
    Pinger(HWND screen, const std::atomic<int>& phase) : screen_(screen), phase_(phase), thread_([this] { Run(); }) {}
    ~Pinger() { Stop(); }
    void Stop() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
    }
    double LongestMs() const { return longest_; }
    // The phases in which the longest wait began and ended.
    int LongestFrom() const { return longestFrom_; }
    int LongestTo() const { return longestTo_; }

private:
    void Run() {
        while (!stop_) {
            int phase = phase_;
            double start = NowMs();
            DWORD_PTR result = 0;
            if (!SendMessageTimeoutA(screen_, WM_NULL, 0, 0, SMTO_NORMAL, kPingTimeoutMs, &result)) return;
            double waited = NowMs() - start;
            if (waited > longest_) {
                longest_ = waited;
                longestFrom_ = phase;
                longestTo_ = phase_;
            }
            Sleep(kPingGapMs);
        }
    }

    HWND screen_;
    const std::atomic<int>& phase_;
    std::atomic<bool> stop_{false};
    double longest_ = 0;
    int longestFrom_ = Idle;
    int longestTo_ = Idle;
    std::thread thread_;
};

HWND FindBox(HWND last) {
    HWND box = FindWindowA("#32770", "OrvNet");
    return box != nullptr && box != last && IsWindowVisible(box) ? box : nullptr;
}

PROCESS_MEMORY_COUNTERS MemoryOf(HANDLE process) {
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(process, &memory, sizeof memory);
    return memory;
}

int Drive(const std::string& program) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string archive = std::string(temp) + "OrvNet.smx";
    DeleteFileA(archive.c_str());

    InstallerSession session(program);
    SIZE_T idleSet = MemoryOf(session.Process()).WorkingSetSize;
    HWND status = session.Control(StatusId);
    std::atomic<int> phase{Idle};
    Pinger pinger(session.Screen(), phase);
    Sleep(100);  // a few answered pings before the run

    double marks[Done + 1] = {};
    marks[Payload] = NowMs();
    phase = Payload;
    session.Press(AcceptId);
    HWND question = nullptr;
    HWND done = nullptr;
    while (done == nullptr && NowMs() - marks[Payload] < kRunTimeoutMs) {
        if (phase == Payload && GetFileAttributesA(archive.c_str()) != INVALID_FILE_ATTRIBUTES) {
            marks[Decompression] = NowMs();
            phase = Decompression;
        }
        if (phase == Decompression && session.Text(status) == StatusInstalling) {
            marks[WalkPhase] = NowMs();
            phase = WalkPhase;
        }
        if (question == nullptr && (question = FindBox(nullptr)) != nullptr) {
            marks[Completion] = NowMs();
            if (session.BoxText(question) != ServerQuestionText) break;
            phase = Completion;
            PressDialogButton(question, IDYES);
        } else if (question != nullptr && (done = FindBox(question)) != nullptr) {
            marks[Done] = NowMs();
            phase = Done;
        }
        Sleep(kPollMs);
    }
    PROCESS_MEMORY_COUNTERS memory = MemoryOf(session.Process());
    SIZE_T peak = memory.PeakWorkingSetSize;
    // The peak commit charge: the private memory the process ever held.
    SIZE_T peakPrivate = memory.PeakPagefileUsage;
    pinger.Stop();
    std::string outcome = done != nullptr ? session.BoxText(done) : question ? session.BoxText(question) : "";
    if (done != nullptr) PressDialogButton(done, IDOK);
    std::optional<DWORD> code = session.WaitForExit();
    if (done == nullptr || outcome != InstalledText || marks[Decompression] == 0 || marks[WalkPhase] == 0 ||
        code != 0u) {
        std::fprintf(stderr, "install_driver: the installation did not succeed (%s; last phase %s)\n",
                     outcome.c_str(), kPhaseNames[phase]);
        return 1;
    }
    std::printf(
        "payload_ms=%.1f decompress_ms=%.1f walk_ms=%.1f completion_ms=%.1f total_ms=%.1f peak_ws=%lu peak_private=%lu idle_ws=%lu"
        " unanswered_ms=%.1f unanswered_phases=%s-%s\n",
        marks[Decompression] - marks[Payload], marks[WalkPhase] - marks[Decompression],
        marks[Completion] - marks[WalkPhase], marks[Done] - marks[Completion], marks[Done] - marks[Payload],
        static_cast<unsigned long>(peak), static_cast<unsigned long>(peakPrivate), static_cast<unsigned long>(idleSet),
        pinger.LongestMs(),
        kPhaseNames[pinger.LongestFrom()], kPhaseNames[pinger.LongestTo()]);
    return 0;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: install_driver INSTALLER.exe\n");
        return 2;
    }
    try {
        return Drive(argv[1]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "install_driver: %s\n", e.what());
        return 1;
    }
}
