#include "machine_snapshot.h"

#include <windows.h>

#include <cstdio>

namespace {

// Wine's display driver rewrites this value under its device keys, and the
// device map under HKLM\Hardware (which Windows rebuilds at every start),
// whenever a program opens a window: changes of Wine's own, not of the
// program.
constexpr char kWineVolatileValue[] = "DriverDateData";
constexpr char kVolatileTree[] = "HKLM\\Hardware";

void ListFiles(const std::string& folder, std::map<std::string, std::string>& files) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        std::string path = folder + name + (isFolder ? "\\" : "");
        char facts[64];
        std::snprintf(facts, sizeof facts, "%lu %lu:%lu", isFolder ? 0ul : found.nFileSizeLow,
                      isFolder ? 0ul : found.ftLastWriteTime.dwHighDateTime,
                      isFolder ? 0ul : found.ftLastWriteTime.dwLowDateTime);
        files[path] = facts;
        // Links are recorded, never followed.
        if (isFolder && !(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) ListFiles(path, files);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

void ListRegistry(HKEY key, const std::string& path, std::map<std::string, std::string>& values) {
    if (path == kVolatileTree) return;
    values[path + "\\(key)"] = "";
    char name[16384];
    std::vector<BYTE> data(1 << 16);
    for (DWORD index = 0;; ++index) {
        DWORD nameSize = sizeof name;
        DWORD dataSize = static_cast<DWORD>(data.size());
        DWORD type = 0;
        LONG status = RegEnumValueA(key, index, name, &nameSize, nullptr, &type, data.data(), &dataSize);
        if (status == ERROR_MORE_DATA) {
            data.resize(dataSize);
            --index;
            continue;
        }
        if (status != ERROR_SUCCESS) break;
        if (std::string(name, nameSize) == kWineVolatileValue) continue;
        std::string text = std::to_string(type) + ":";
        char hex[3];
        for (DWORD i = 0; i < dataSize; ++i) {
            std::snprintf(hex, sizeof hex, "%02x", data[i]);
            text += hex;
        }
        values[path + "\\" + std::string(name, nameSize)] = text;
    }
    for (DWORD index = 0;; ++index) {
        DWORD nameSize = sizeof name;
        if (RegEnumKeyExA(key, index, name, &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        HKEY child = nullptr;
        if (RegOpenKeyExA(key, name, 0, KEY_READ, &child) != ERROR_SUCCESS) continue;
        ListRegistry(child, path + "\\" + name, values);
        RegCloseKey(child);
    }
}

}  // namespace

MachineSnapshot TakeSnapshot() {
    MachineSnapshot snapshot;
    ListFiles("C:\\", snapshot.files);
    ListRegistry(HKEY_LOCAL_MACHINE, "HKLM", snapshot.registry);
    ListRegistry(HKEY_CURRENT_USER, "HKCU", snapshot.registry);
    return snapshot;
}

SnapshotChanges Compare(const std::map<std::string, std::string>& before,
                        const std::map<std::string, std::string>& after) {
    SnapshotChanges changes;
    for (const auto& [key, facts] : before) {
        auto found = after.find(key);
        if (found == after.end()) {
            changes.removed.push_back(key);
        } else if (found->second != facts) {
            changes.changed.push_back(key);
        }
    }
    for (const auto& [key, facts] : after) {
        if (before.find(key) == before.end()) changes.added.push_back(key);
    }
    return changes;
}
