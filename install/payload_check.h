#pragma once
// The one check of a single-file cabinet, made on its bytes in memory: the
// installer checks its own payload with it before anything is written (a
// download cut short or changed on the way must end the run, never become
// a broken installation), and smx checks cabinets and installers with it.
// Some system decompressors expand a damaged cabinet to its full length
// with wrong content and report success, so the blocks are checked here, by
// their checksums, rather than trusted to the decompressor.
//
// Accepted: one cabinet (no set, no reserved areas), one folder, MSZIP
// blocks (and stored ones where the rules allow), one file that starts the
// folder, every block framed inside the recorded length, every block's
// checksum right, and the blocks adding up to the file's recorded length.
// Reads never go past `length` nor past the cabinet's recorded length.
#include <cstdint>

enum class PayloadFault {
    None,
    NotCabinet,      // no cabinet header, or a cabinet longer than the bytes
    NotSupported,    // a set, reserved areas, other than one folder and one file, other compression
    BadEntries,      // folder or file entry outside the cabinet or inconsistent
    BadBlock,        // a data block truncated, of impossible sizes or without the MSZIP signature
    BadChecksum,     // a data block fails its checksum
    LengthMismatch,  // the blocks do not expand to the file's recorded length
};

// Which check a fault comes from, for a message that names it.
enum class CabinetCheck {
    None,
    Header,          // no "MSCF" header
    Truncated,       // the recorded length is more than the bytes there are
    Version,         // a format version other than 1.x
    Set,             // part of a multi-cabinet set
    Reserved,        // reserved areas
    Counts,          // not one folder and one file
    FolderEntry,     // the folder entry does not fit
    Compression,     // a compression the rules do not take
    FileEntry,       // the file entry lies outside the cabinet
    FileStart,       // the file does not start the folder
    Name,            // the name is empty, unterminated before the data, or too long
    BlockTruncated,  // a block's header or data runs past the cabinet
    BlockSizes,      // a block of impossible sizes
    BlockChecksum,   // a block fails its checksum
    BlockSignature,  // an MSZIP block without its "CK" signature
    Length,          // the blocks do not add up to the file's length
};

// What the installer and the tools each take. The packer always writes
// checksums, so for the installer a block without one (a zero field that is
// not its checksum) is not one of ours; cabinet makers may leave the field
// zero, which the tools take as "no checksum". The tools expand MSZIP only.
struct CabinetRules {
    bool storedBlocks;
    bool blocksWithoutChecksum;
};
constexpr CabinetRules kInstallerRules{true, false};
constexpr CabinetRules kToolRules{false, true};

struct PayloadCabinet {
    uint32_t cabinetLength = 0;  // cbCabinet
    uint32_t fileLength = 0;     // cbFile of the one file: the archive's length
    uint32_t blockCount = 0;
    uint32_t faultyBlock = 0;    // 1-based block of a block fault
    uint32_t dataOffset = 0;     // where the first data block starts
    uint32_t nameOffset = 0;     // the file's name, without its NUL
    uint32_t nameLength = 0;
    uint8_t versionMajor = 0;
    uint8_t versionMinor = 0;
    uint16_t folderCount = 0;
    uint16_t fileCount = 0;
    uint64_t expandedLength = 0;  // what the blocks add up to
    CabinetCheck failed = CabinetCheck::None;
};

PayloadFault CheckPayloadCabinet(const uint8_t* bytes, uint32_t length, PayloadCabinet& cabinet,
                                 const CabinetRules& rules = kInstallerRules);
