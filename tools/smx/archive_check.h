#pragma once
// Checks that an archive is one the installer can lay out whole and safely:
//   - the root comes first: kind 0, no flags, a storable folder name, and a
//     size equal to the number of file records + 1 (at most 65535);
//   - every header is complete, its name NUL-terminated inside the field and
//     NUL-filled after it;
//   - every record is a directory (size 0, no flags) or a file (kind 2)
//     whose content lies inside the archive;
//   - every name is a relative path Windows can store, that cannot leave the
//     product folder, whose folder has an earlier directory record, and that
//     no earlier record already holds (letter case ignored).
// Filler records (empty names) are part of the format and pass.
#include <cstdint>
#include <string>
#include <vector>

class ArchiveStream;

// A file record that carries a flag.
struct FlaggedFile {
    std::string name;  // Windows-1252, as recorded
    bool keepOnUpdate;
    bool toSystemFolder;
};

struct ArchiveSummary {
    std::string rootName;  // Windows-1252
    uint32_t rootSize = 0;
    uint32_t directories = 0;
    uint32_t files = 0;
    uint32_t fillers = 0;
    uint64_t contentBytes = 0;
    uint32_t length = 0;
    std::vector<FlaggedFile> flagged;  // in archive order
};

struct ArchiveCheck {
    bool ok = true;
    // The first problem found, naming the record by offset and name.
    std::string problem;
    ArchiveSummary summary;
};

// Throws SmxToolError when the file cannot be opened at all.
ArchiveCheck CheckArchive(const std::string& path);
// The same check of an archive read as it comes out of a payload; the
// stream's Finish() is left to the caller.
ArchiveCheck CheckArchive(ArchiveStream& stream);
