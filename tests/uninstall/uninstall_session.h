#pragma once
// The sample product's life cycle driven from outside: the real installer
// with the staged sample product as its payload, and the uninstall string run
// as the system runs it, its message boxes answered as a user would.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// Installs the sample product with the real installer; serverAnswer answers
// the server question of a fresh installation (nullopt for an update, which
// asks none). Returns the final message's text.
std::string InstallSample(std::optional<int> serverAnswer);

// The uninstall entry's command line, or "" when there is none.
std::string UninstallString();

struct UninstallRun {
    std::optional<DWORD> exitCode;  // nullopt when the program did not end
    std::vector<std::string> boxes;  // texts of the message boxes, in order
};

// An answer that presses the box's default button, as the Enter key does.
constexpr int DefaultButton = 0;

// Starts commandLine (CreateProcess, no application name, as the system
// starts an uninstall string) in folder (or the test's own), answers the
// message boxes captioned "OrvNet" with answers in order (IDYES, IDNO or
// DefaultButton), then with OK, and waits for the program to end.
UninstallRun RunUninstall(const std::string& commandLine, const std::vector<int>& answers,
                          const std::string& folder = "");
