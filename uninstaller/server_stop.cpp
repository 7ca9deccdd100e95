#include "server_stop.h"

#include <windows.h>

#include "common/product_names.h"
#include "platform/process/process_list.h"

namespace {
// A process that cannot be ended is found again by every new snapshot; this
// bounds the rounds.
constexpr int kMaxRounds = 8;
constexpr DWORD kExitWaitMs = 5000;
}  // namespace

void StopServer() {
    for (int round = 0; round < kMaxRounds; ++round) {
        ProcessList* processes = nullptr;
        SnapshotProcesses(&processes);
        int index = FindProcess(processes, ServerProgramName);
        if (index != 0) {
            HANDLE server = OpenProcess(SYNCHRONIZE, FALSE, ProcessIdAt(processes, index));
            TerminateProcessAt(processes, index);
            if (server != nullptr) {
                WaitForSingleObject(server, kExitWaitMs);
                CloseHandle(server);
            }
        }
        delete processes;
        if (index == 0) return;
    }
}
