#pragma once
// What a checked archive holds, record by record, with a SHA-256 of every
// file's content: what two releases are compared by.
#include <cstdint>
#include <string>
#include <vector>

class ProgressBar;

struct ArchiveEntry {
    std::string name;  // as stored: Windows-1252, '\' between folders
    bool directory = false;
    uint32_t size = 0;
    bool keepOnUpdate = false;
    bool toSystemFolder = false;
    std::string sha256;  // files only
};

struct ArchiveContents {
    std::string rootName;
    std::vector<ArchiveEntry> entries;  // in record order, fillers left out
};

// `archivePath` must have passed CheckArchive. `progress` hears the content
// bytes read. Throws SmxToolError naming the archive when a read fails.
ArchiveContents ReadArchiveContents(const std::string& archivePath, ProgressBar& progress);
