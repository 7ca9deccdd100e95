#pragma once
// Reads a product folder into the list of records the archive will hold, in
// archive order: the product folder's own files first, then its folders
// breadth-first, level by level, siblings in case-insensitive alphabetical
// order, each folder followed directly by the files inside it.
//
// Everything that would make a bad archive is refused here, before any output
// is written: names Windows cannot store or Windows-1252 cannot hold, names
// that differ only in letter case, symbolic links and special files, and
// trees beyond the format's limits.
#include <cstdint>
#include <string>
#include <vector>

#include "install/smx_format.h"

struct PackLimits {
    // Sizes and offsets are unsigned 32-bit: below 4 GiB.
    uint64_t maxFileBytes = 0xFFFFFFFFull;
    uint64_t maxArchiveBytes = 0xFFFFFFFFull;
    // The root's size (file records + 1) must fit the 16-bit progress range.
    uint32_t maxFileRecords = SmxMaxProgressTotal - 1;
};

struct PackOptions {
    std::vector<std::string> keepPatterns;    // --keep: keepOnUpdate
    std::vector<std::string> systemPatterns;  // --system: toSystemFolder
    PackLimits limits;
};

struct ProductEntry {
    bool isDirectory = false;
    std::string archiveName;  // Windows-1252, backslash-separated
    std::string sourcePath;   // on disk
    uint64_t size = 0;
    bool keepOnUpdate = false;
    bool toSystemFolder = false;
};

struct ProductTree {
    std::string rootName;  // Windows-1252
    std::vector<ProductEntry> entries;
    uint32_t fileCount = 0;
    uint64_t archiveBytes = 0;
    // Not errors, but likely mistakes: a pattern that picked no file, no
    // main program named after the folder.
    std::vector<std::string> warnings;
};

// Throws SmxToolError naming the offending path.
ProductTree ScanProduct(const std::string& productDir, const PackOptions& options);
