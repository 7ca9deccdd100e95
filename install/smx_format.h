#pragma once
// The package archive (.smx): the product's whole tree in one flat,
// uncompressed file. Shared by the installer (reader) and the packer (writer).
//
// Layout of the file:
//   offset 0     root header (kind 0): name = product folder, size = progress
//                total (file records + 1); no content follows it
//   offset 160   records back to back: a header, then for a file record its
//                `size` content bytes, then the next header
//   end          the last record's content (or header) ends at the last byte
// There is no magic number, version, index, checksum or end marker.
//
// Record header, 160 bytes, integers little-endian:
//   0    4    kind            0 root, 1 directory, 2 file (any kind other than
//                             1 after the root is read as a file)
//   4    1    toSystemFolder  nonzero: file goes to the system folder and is
//                             self-registered there
//   5    1    keepOnUpdate    nonzero: an update keeps the file's present bytes
//   6    150  name            relative path, backslash-separated, ANSI;
//                             NUL-terminated, rest NUL-filled (<= 149 chars)
//   156  4    size            file: content length; directory: 0;
//                             root: progress total
// A header whose name starts with NUL (after the root) is a filler: 160 bytes,
// nothing else consumed.
#include <cstddef>
#include <cstdint>

constexpr uint32_t SmxHeaderSize = 160;
constexpr uint32_t SmxKindOffset = 0;
constexpr uint32_t SmxSystemFlagOffset = 4;
constexpr uint32_t SmxKeepFlagOffset = 5;
constexpr uint32_t SmxNameOffset = 6;
constexpr uint32_t SmxNameField = 150;
constexpr uint32_t SmxSizeOffset = 156;
constexpr uint32_t SmxMaxNameLength = SmxNameField - 1;
// The progress bar holds its range in 16 bits.
constexpr uint32_t SmxMaxProgressTotal = 65535;

static_assert(SmxNameOffset + SmxNameField == SmxSizeOffset, "name field ends where size begins");
static_assert(SmxSizeOffset + 4 == SmxHeaderSize, "size is the header's last field");

enum SmxKind : uint32_t { SmxKindRoot = 0, SmxKindDirectory = 1, SmxKindFile = 2 };

// A header decoded from its 160 bytes. `name` always has a terminator, even
// when the stored field had none (a damaged archive): `nameTerminated` says
// whether it did, `nameTailClean` whether the bytes after the NUL were zero.
struct SmxHeader {
    uint32_t kind = 0;
    uint8_t toSystemFolder = 0;
    uint8_t keepOnUpdate = 0;
    char name[SmxNameField + 1] = {};
    uint32_t size = 0;
    bool nameTerminated = true;
    bool nameTailClean = true;
};

void DecodeSmxHeader(const uint8_t (&raw)[SmxHeaderSize], SmxHeader& header);
// Writes the header's fields; the name is cut at SmxMaxNameLength characters
// and the rest of its field filled with NUL bytes.
void EncodeSmxHeader(const SmxHeader& header, uint8_t (&raw)[SmxHeaderSize]);
