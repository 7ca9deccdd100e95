#pragma once
// Runs the installer engine end to end in this test's own Wine prefix: binds
// a payload to a copy of install_runner.exe, runs it, and reads back what it
// logged. Also reads the machine-wide places the run writes to.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "support/archive_builder.h"
#include "support/shortcut_reader.h"
#include "support/temp_dir.h"

struct RunLog {
    std::vector<std::string> progress;  // "min 0", "max 5", "pos 1", ...
    std::vector<std::string> statuses;
    std::vector<std::string> boxes;
    bool fired = false;  // the planned fault happened
    bool result = false;
    bool update = false;
};

// The machine's folders as the run sees them (no trailing backslash).
struct MachineFolders {
    std::string temp;
    std::string system;
    std::string windows;
    std::string commonDesktop;
};
MachineFolders ReadMachineFolders();

// Binds payload to the program file as its RCDATA 9001 resource.
void BindPayload(const std::string& program, const ByteVector& payload);

// A copy of a program built beside the test, in a new folder of the
// machine's temporary folder, with payload bound when given.
std::string CopyProgram(const std::string& name, const std::optional<ByteVector>& payload);

// One system call made to fail during a run, through the fault seam: the
// first call of kind `call` ("open", "read", "write", "close", "remove",
// "move", "folder", "shortcut", "registry") whose path ends with pathEnd,
// failing as `fault` ("disk-full", "access-denied", "sharing",
// "short-write").
struct PlannedFault {
    std::string call;
    std::string pathEnd;
    std::string fault;
};

// payload: the cabinet to bind as RCDATA 9001, or nullopt for an installer
// without one. answers: "yes", "no" or "ok" for the message boxes in order.
RunLog RunInstaller(const std::string& installBase, const std::optional<ByteVector>& payload,
                    const std::vector<std::string>& answers = {},
                    const std::optional<PlannedFault>& fault = std::nullopt);

// The archive wrapped as the installer's payload.
ByteVector PayloadOf(const ArchiveBuilder& archive);

// Registry value under HKLM, or nullopt when it does not exist. `view`: 0
// for the view this program has, or KEY_WOW64_32KEY / KEY_WOW64_64KEY for
// the one a 32-bit or a 64-bit program has on 64-bit Windows.
std::optional<std::string> MachineRegistryText(const std::string& key, const std::string& value, REGSAM view = 0);

// Every file and folder below root, as relative paths ("Data\\a.tbl"),
// sorted; folders end with a backslash.
std::vector<std::string> ListTree(const std::string& root);

std::string ReadText(const std::string& path);

// Path of a file next to the running test program (built alongside it).
std::string BesideTestProgram(const std::string& name);
