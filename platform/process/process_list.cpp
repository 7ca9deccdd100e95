#include "platform/process/process_list.h"

#include <cctype>

const PROCESSENTRY32* ProcessList::At(int index) const {
    if (index < 1 || index > Count()) return nullptr;
    return &records_[static_cast<size_t>(index - 1)];
}

void SnapshotProcesses(ProcessList** list) {
    *list = new ProcessList;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS | TH32CS_SNAPMODULE, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return;
    PROCESSENTRY32 record = {};
    record.dwSize = sizeof record;
    for (BOOL more = Process32First(snapshot, &record); more; more = Process32Next(snapshot, &record)) {
        (*list)->Add(record);
    }
    CloseHandle(snapshot);
}

DWORD ProcessIdAt(const ProcessList* list, int index) {
    const PROCESSENTRY32* record = list->At(index);
    return record == nullptr ? 0 : record->th32ProcessID;
}

const char* ProcessNameAt(const ProcessList* list, int index) {
    const PROCESSENTRY32* record = list->At(index);
    return record == nullptr ? nullptr : record->szExeFile;
}

namespace {
bool SameNameIgnoringCase(const char* a, const char* b) {
    for (; *a != '\0' && *b != '\0'; ++a, ++b) {
        if (std::toupper(static_cast<unsigned char>(*a)) != std::toupper(static_cast<unsigned char>(*b))) return false;
    }
    return *a == *b;
}
}  // namespace

int FindProcess(const ProcessList* list, const char* name) {
    if (name == nullptr || *name == '\0') return 0;
    for (int index = 1; index <= list->Count(); ++index) {
        if (SameNameIgnoringCase(list->At(index)->szExeFile, name)) return index;
    }
    return 0;
}

void TerminateProcessAt(const ProcessList* list, int index) {
    const PROCESSENTRY32* record = list->At(index);
    if (record == nullptr) return;
    HANDLE process = OpenProcess(PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION, FALSE, record->th32ProcessID);
    if (process == nullptr) return;
    TerminateProcess(process, TerminatedExitCode);
    CloseHandle(process);
}
