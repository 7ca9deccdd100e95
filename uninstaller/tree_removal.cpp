#include "tree_removal.h"

#include <windows.h>

#include "common/path_join.h"
#include "kept_tables.h"
#include "platform/pc/pc.h"
#include "common/progress_sink.h"
#include "resolved_path.h"

namespace {

class TreeWalk {
public:
    TreeWalk(const char* folder, bool keepTables, StatusSink* status, TreeRemoval& result)
        : folder_(folder), keepTables_(keepTables), status_(status), result_(result) {}
    virtual ~TreeWalk() = default;
    TreeWalk(const TreeWalk&) = delete;
    TreeWalk& operator=(const TreeWalk&) = delete;

    bool Start() { return ResolvedPath(folder_, resolvedRoot_, sizeof resolvedRoot_); }

    // Removes what lies inside the folder at relative ("" for the product
    // folder). True when nothing is left in it.
    bool EmptyFolder(const std::string& relative) {
        if (status_ != nullptr) status_->SetText(relative.empty() ? folder_ : relative.c_str());
        bool empty = true;
        for (const Entry& entry : EntriesOf(relative)) {
            std::string inner = relative.empty() ? entry.name : relative + "\\" + entry.name;
            if (!RemoveEntry(inner, entry.attributes)) empty = false;
        }
        return empty;
    }

private:
    struct Entry {
        std::string name;
        DWORD attributes;
    };

    // Listed whole before anything is removed, so removals never disturb the
    // listing.
    std::vector<Entry> EntriesOf(const std::string& relative) {
        std::vector<Entry> entries;
        char pattern[PathBufferSize];
        if (!FullPath(relative + (relative.empty() ? "*" : "\\*"), pattern)) return entries;
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA(pattern, &found);
        if (search == INVALID_HANDLE_VALUE) return entries;
        do {
            std::string name = found.cFileName;
            if (name != "." && name != "..") entries.push_back({name, found.dwFileAttributes});
        } while (FindNextFileA(search, &found));
        FindClose(search);
        return entries;
    }

    // True when the entry is gone; false when it stays: a kept table, a
    // folder that holds one, or an entry listed as left.
    bool RemoveEntry(const std::string& relative, DWORD attributes) {
        char full[PathBufferSize];
        if (!FullPath(relative, full) || !IsInPlace(full, relative)) return Left(relative);
        bool folder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        bool link = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
        if (!folder && keepTables_ && IsKeptTable(relative.c_str())) {
            ++result_.keptTables;
            return false;
        }
        if (attributes & FILE_ATTRIBUTE_READONLY) SetFileAttributesA(full, attributes & ~FILE_ATTRIBUTE_READONLY);
        if (!folder) return DeleteFileA(full) || Left(relative);
        // A link in its place is removed as itself, never entered.
        if (!link && !EmptyFolder(relative)) return false;
        return RemoveDirectoryA(full) || Left(relative + "\\");
    }

    bool IsInPlace(const char* full, const std::string& relative) {
        char expected[PathBufferSize];
        char resolved[PathBufferSize];
        return JoinPath(expected, sizeof expected, resolvedRoot_, "\\", relative.c_str()) &&
               ResolvedPath(full, resolved, sizeof resolved) && SamePath(resolved, expected);
    }

    bool FullPath(const std::string& relative, char (&full)[PathBufferSize]) const {
        return JoinPath(full, sizeof full, folder_, relative.empty() ? "" : "\\", relative.c_str());
    }

    bool Left(const std::string& relative) {
        result_.leftovers.push_back(std::string(folder_) + "\\" + relative);
        return false;
    }

    const char* folder_;
    bool keepTables_;
    StatusSink* status_;
    TreeRemoval& result_;
    char resolvedRoot_[PathBufferSize] = {};
};

}  // namespace

TreeRemoval RemoveProductTree(const char* productFolder, bool keepTables, StatusSink* status) {
    TreeRemoval result;
    TreeWalk walk(productFolder, keepTables, status, result);
    if (!walk.Start()) {
        result.leftovers.push_back(productFolder);
        return result;
    }
    if (walk.EmptyFolder("")) {
        result.folderRemoved = RemoveDirectoryA(productFolder) != FALSE;
        if (!result.folderRemoved) result.leftovers.push_back(productFolder);
    }
    return result;
}
