#pragma once
// Starting programs from a test: one place for the command line's quoting,
// for starting, and for waiting with a time limit.
#include <windows.h>

#include <optional>
#include <string>

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
