#include "platform/files/folder_listing.h"

#include <windows.h>

#include <cstring>

#include "platform/pc/pc.h"
#include "platform/text/text_helpers.h"

namespace {

const DWORD kPlainFolder = FILE_ATTRIBUTE_DIRECTORY;

// folder + "\" + name into a path buffer; false when it does not fit.
bool JoinFits(char (&out)[PathBufferSize], const char* folder, const char* name) {
    if (std::strlen(folder) + 1 + std::strlen(name) >= sizeof out) return false;
    JoinTexts(out, sizeof out, folder, "\\", name);
    return true;
}

// Calls visit(full path, name, attributes) for every entry of folder whose
// name does not begin with ".".
template <class Visit>
void ForEachEntry(const char* folder, Visit visit) {
    char pattern[PathBufferSize];
    if (!JoinFits(pattern, folder, "*")) return;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA(pattern, &entry);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if (entry.cFileName[0] == '.') continue;
        char full[PathBufferSize];
        if (!JoinFits(full, folder, entry.cFileName)) continue;
        visit(full, entry.cFileName, GetFileAttributesA(full));
    } while (FindNextFileA(search, &entry));
    FindClose(search);
}

}  // namespace

void ListFiles(const char* folder, SmPathList& list) {
    ForEachEntry(folder, [&](const char* full, const char* name, DWORD attributes) {
        if (attributes != kPlainFolder) list.Append(full, name);
    });
}

void ListFolderTree(const char* path, SmPathList& list) {
    char folder[ShortPathBufferSize];
    char name[ShortPathBufferSize];
    FolderOf(path, folder, sizeof folder);
    FileNameOf(path, name, sizeof name);
    char start[PathBufferSize];
    if (!JoinFits(start, folder, name) || !list.Append(start, name)) return;
    // The list grows while it is walked: each folder's children go to the end.
    for (int index = list.Count(); index <= list.Count(); ++index) {
        SmPathNode* node = list.At(index);
        char parent[SmPathNode::TextSize];
        std::memcpy(parent, node->path, sizeof parent);
        ForEachEntry(parent, [&](const char* full, const char* childName, DWORD attributes) {
            if (attributes == kPlainFolder) list.Append(full, childName);
        });
    }
}
