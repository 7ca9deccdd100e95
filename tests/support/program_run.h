#pragma once
// Starting programs from a test: one place for the command line's quoting,
// for starting, and for waiting with a time limit.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// An argument quoted for a command line: backslashes before the closing
// quote are doubled, or the quote would be read as part of the argument.
std::string QuotedArgument(const std::string& text);

// Starts the command line (in `folder` when given); the process handle
// (the caller closes it), or nullptr when it cannot be started.
HANDLE StartProgram(const std::string& commandLine, const std::string& folder = "");

// Runs the command line and waits at most timeoutMs: its exit code, or
// nullopt when it could not be started or did not end in time (it is then
// ended).
std::optional<DWORD> RunProgram(const std::string& commandLine, DWORD timeoutMs, const std::string& folder = "");

// Runs the command line with its standard output and error going to a file
// (a pipe could be held open by a process it starts) and waits at most
// timeoutMs: what it printed, or nullopt when it could not be started or
// did not end in time (it is then ended).
std::optional<std::string> RunProgramForOutput(const std::string& commandLine, DWORD timeoutMs);

// Whether this program runs as a 32-bit program on 64-bit Windows (WoW64).
bool RunsUnderWow64();

// A program of the system's own folder as the system runs it: under WoW64
// the 64-bit one (through "sysnative", which a 32-bit program must name to
// reach it), otherwise the one of the system folder.
std::string NativeSystemProgram(const std::string& name);

// The display names in the system's own list of installed programs (Wine's
// `uninstaller --list`, run as the system runs it), in its order; nullopt
// when the list could not be had.
std::optional<std::vector<std::string>> InstalledProgramNames();
