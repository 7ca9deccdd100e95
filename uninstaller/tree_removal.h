#pragma once
// Removing the product folder's tree.
#include <string>
#include <vector>

class StatusSink;

struct TreeRemoval {
    int keptTables = 0;
    // Full paths of what stayed although it was to go (folders end with a
    // backslash): entries another program holds, and links, which are
    // neither entered nor removed.
    std::vector<std::string> leftovers;
    // The product folder itself is gone.
    bool folderRemoved = false;
};

// Removes every file and folder below productFolder, then the folder itself
// once it is empty. With keepTables the user's data tables stay, and so do
// the folders that hold them. An entry whose resolved place is not its own
// place in the tree is a link: it is never entered or removed, since the
// removal could reach what it points to. Whatever cannot be removed is listed
// and the rest is still removed. status, when given, is told each folder as
// it is emptied: the product folder, then the others relative to it.
TreeRemoval RemoveProductTree(const char* productFolder, bool keepTables, StatusSink* status);
