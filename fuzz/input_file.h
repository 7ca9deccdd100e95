#pragma once
// The code under fuzzing reads files by path, as the installer and smx do:
// each input is written to one scratch file of this process (in $TMPDIR),
// rewritten for every input, removed when the process ends.
#include <cstddef>
#include <cstdint>
#include <string>

// Writes the bytes to the scratch file and returns its path. Aborts when
// the file cannot be written: a fuzz run on a broken scratch file finds
// nothing.
const std::string& WriteInputFile(const uint8_t* data, size_t size);

// A fresh, empty scratch folder for targets that write files; the same path
// each time, emptied before it is handed out.
const std::string& EmptyScratchFolder();

// Stops the run as a finding: libFuzzer (and the replay runner) report the
// input that led here.
[[noreturn]] void Finding(const char* what);
