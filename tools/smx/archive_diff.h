#pragma once
// What a release changes, as an update would apply it to installed
// machines: records added and removed, files whose content changed (size and
// SHA-256), files whose flags changed. Names are matched as Windows matches
// them, letter case aside. Lines, in the new archive's record order, then
// the removed ones in the old archive's order:
//   + file Data/Nuevo.tbl (120 bytes, k-)
//   - dir  Viejo
//   ~ file OrvNet.exe: 1000 -> 1200 bytes, SHA-256 1a2b3c4d5e6f -> 0f9e8d7c6b5a
//   ~ flags Data/Clientes.tbl: -- -> k-; an update now keeps the installed copy
// Changes that touch keep-on-update files say what an update does to them.
#include <cstdint>
#include <ostream>

#include "archive_contents.h"

struct DiffCounts {
    uint32_t added = 0;
    uint32_t removed = 0;
    uint32_t changed = 0;
    uint32_t reflagged = 0;
};

// Prints the differences and a last line with the counts ("no differences"
// when there are none).
DiffCounts DiffArchives(const ArchiveContents& before, const ArchiveContents& after, std::ostream& out);
