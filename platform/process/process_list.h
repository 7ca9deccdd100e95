#pragma once
// Process control: a snapshot of the running processes, lookup by
// executable name, termination. Indices are 1-based in snapshot order.
#include <windows.h>
#include <tlhelp32.h>

#include <vector>

// The records of one snapshot, owned by the list.
class ProcessList {
public:
    ProcessList() = default;
    virtual ~ProcessList() = default;
    ProcessList(const ProcessList&) = delete;
    ProcessList& operator=(const ProcessList&) = delete;

    int Count() const { return static_cast<int>(records_.size()); }
    void Add(const PROCESSENTRY32& record) { records_.push_back(record); }
    // The record at a 1-based index; null for 0 or above the count.
    const PROCESSENTRY32* At(int index) const;

private:
    std::vector<PROCESSENTRY32> records_;
};

// Creates a new list, stores it through list (the caller deletes it), and
// fills it with the processes running now. A snapshot that cannot be taken
// gives an empty list.
void SnapshotProcesses(ProcessList** list);

// 0 when the index is out of range.
DWORD ProcessIdAt(const ProcessList* list, int index);
// The executable file name; null when the index is out of range.
const char* ProcessNameAt(const ProcessList* list, int index);
// 1-based index of the first process whose executable name equals name,
// ignoring case; 0 when there is none or name is empty.
int FindProcess(const ProcessList* list, const char* name);
// Ends the process at index with exit code TerminatedExitCode, when it can
// be opened; nothing is reported.
void TerminateProcessAt(const ProcessList* list, int index);

// A process that was still running has no exit code of its own to pass on;
// ending it with STILL_ACTIVE would make it look alive to anyone asking.
constexpr UINT TerminatedExitCode = 1;
