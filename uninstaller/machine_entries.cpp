#include "machine_entries.h"

#include <windows.h>

#include <cstring>

#include "common/path_join.h"
#include "common/product_names.h"
#include "platform/pc/pc.h"
#include "resolved_path.h"
#include "shortcut_target.h"

namespace {
constexpr char kUninstallStringValue[] = "UninstallString";
constexpr char kMainProgram[] = "\\OrvNet.exe";

// The REG_SZ value, or false when the key or value is missing or too long.
bool ReadMachineText(const char* subkey, const char* valueName, char* text, DWORD capacity) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, subkey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
    DWORD type = 0;
    DWORD size = capacity - 1;
    LONG status = RegQueryValueExA(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(text), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || type != REG_SZ) return false;
    text[size] = '\0';
    return true;
}

bool MachineKeyExists(const char* subkey) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, subkey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

// The folder part of "\"<uninstaller>\" <product folder>".
const char* FolderInUninstallString(const char* command) {
    const char* rest = command;
    if (*rest == '"') {
        const char* closing = std::strchr(rest + 1, '"');
        rest = closing == nullptr ? "" : closing + 1;
    }
    while (*rest == ' ') ++rest;
    return rest;
}
}  // namespace

EntryOutcome RemoveServerAutostart(const char* productFolder) {
    char data[PathBufferSize];
    char ours[PathBufferSize];
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, RunKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return EntryOutcome::Absent;
    bool present = RegQueryValueExA(key, ServerValue, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    RegCloseKey(key);
    if (!present) return EntryOutcome::Absent;
    if (!JoinPath(ours, sizeof ours, productFolder, ServerProgram)) return EntryOutcome::Failed;
    if (ReadMachineText(RunKey, ServerValue, data, sizeof data) && !SamePath(data, ours)) {
        return EntryOutcome::OtherFolder;
    }
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, RunKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return EntryOutcome::Failed;
    LONG status = RegDeleteValueA(key, ServerValue);
    RegCloseKey(key);
    return status == ERROR_SUCCESS ? EntryOutcome::Removed : EntryOutcome::Failed;
}

EntryOutcome RemoveUninstallEntry(const char* productFolder) {
    if (!MachineKeyExists(UninstallKey)) return EntryOutcome::Absent;
    char command[PathBufferSize];
    if (ReadMachineText(UninstallKey, kUninstallStringValue, command, sizeof command) &&
        !SamePath(FolderInUninstallString(command), productFolder)) {
        return EntryOutcome::OtherFolder;
    }
    // The key is the product's alone: anything stored below it goes with it.
    return RegDeleteTreeA(HKEY_LOCAL_MACHINE, UninstallKey) == ERROR_SUCCESS ? EntryOutcome::Removed
                                                                             : EntryOutcome::Failed;
}

EntryOutcome RemoveDesktopShortcut(const char* productFolder) {
    char desktop[PathBufferSize];
    char link[PathBufferSize];
    char ours[PathBufferSize];
    char target[PathBufferSize];
    ThePC->CommonDesktopFolder(desktop, sizeof desktop);
    if (!JoinPath(link, sizeof link, desktop, ShortcutName) ||
        !JoinPath(ours, sizeof ours, productFolder, kMainProgram)) {
        return EntryOutcome::Failed;
    }
    if (!ThePC->Exists(link)) return EntryOutcome::Absent;
    if (ShortcutTarget(link, target, sizeof target) && !SamePath(target, ours)) return EntryOutcome::OtherFolder;
    return ThePC->RemoveFile(link) ? EntryOutcome::Removed : EntryOutcome::Failed;
}

EntryOutcome RemoveUninstallerCopy() {
    char windows[ShortPathBufferSize];
    char copy[PathBufferSize];
    ThePC->WindowsFolder260(windows, sizeof windows);
    if (!JoinPath(copy, sizeof copy, windows, UninstallerName)) return EntryOutcome::Failed;
    if (!ThePC->Exists(copy)) return EntryOutcome::Absent;
    if (ThePC->RemoveFile(copy)) return EntryOutcome::Removed;
    return MoveFileExA(copy, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) ? EntryOutcome::Scheduled : EntryOutcome::Failed;
}
