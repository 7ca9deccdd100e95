#pragma once
// A minimal 32-bit Windows executable made in memory for the installer
// reader's tests: MZ and PE headers and one ".rsrc" section whose resource
// tree (type, id, one neutral language) holds the given resources, laid out
// as resource compilers lay it. The offsets of the parts a test damages are
// handed back with the bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "support/archive_bytes.h"

struct TestResource {
    uint32_t type;
    uint32_t id;
    ByteVector bytes;
};

struct PeImage {
    ByteVector bytes;
    size_t peHeader = 0;         // "PE\0\0"
    size_t resourceEntry = 0;    // the resource data directory: RVA, size
    size_t sectionHeader = 0;    // the ".rsrc" section header
    size_t firstDataEntry = 0;   // the first resource's data entry: RVA, size
    size_t firstData = 0;        // the first resource's bytes
};

PeImage MakePeImage(const std::vector<TestResource>& resources);

void PutU32(ByteVector& bytes, size_t at, uint32_t value);

// A version resource (VS_VERSIONINFO) laid out as resource compilers lay it:
// the fixed part with `version` (four numbers), one Spanish/Windows-1252
// string table with the given key/value texts, and the translation.
ByteVector MakeVersionResource(const uint16_t (&version)[4],
                               const std::vector<std::pair<std::u16string, std::u16string>>& texts);
