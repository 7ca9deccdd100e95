#pragma once
// What a failed run leaves for support: "OrvNet-instalacion.log" in the
// temporary folder the run used, plain Windows-1252 Spanish text with CR LF
// lines: when, which installer, fresh installation or update, the product
// folder, one line for every step that failed (what, the path or value, the
// system's error text) and the outcome. The user's messages do not change.
// A successful run removes an older record. Keeping or writing the record
// never changes the run's outcome: a record that cannot be written is
// skipped.
#include <windows.h>

constexpr char RunRecordName[] = "OrvNet-instalacion.log";

// Forgets the steps of an earlier run.
void StartRunRecord();
// One failed step: `what` says it in Spanish, `subject` names the file,
// folder or value (may be null), `error` is the system's error code (0: no
// system error behind it). Steps past the record's room are counted only.
void RecordFailedStep(const char* what, const char* subject, DWORD error);
// Writes the record into `tempFolder` (no trailing backslash).
void WriteRunRecord(const char* tempFolder, bool isUpdate, const char* productFolder, const char* outcome);
// Removes a record an earlier run left there.
void RemoveRunRecord(const char* tempFolder);
