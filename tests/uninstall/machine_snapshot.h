#pragma once
// A picture of the machine as a test sees it: every file and folder of drive
// C: (size and time of last write) and every registry value under
// HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER (type and data), less the values
// Wine itself rewrites. Two pictures are compared to find exactly what a
// program changed.
#include <map>
#include <string>
#include <vector>

struct MachineSnapshot {
    // Path (folders end with a backslash) -> size and time of last write.
    std::map<std::string, std::string> files;
    // "HKLM\key\path" + "\\" + value name (or "(key)" for the key itself)
    // -> type and data.
    std::map<std::string, std::string> registry;
};

MachineSnapshot TakeSnapshot();

struct SnapshotChanges {
    std::vector<std::string> removed, added, changed;
};
SnapshotChanges Compare(const std::map<std::string, std::string>& before,
                        const std::map<std::string, std::string>& after);
