#pragma once
// The installer's check of its own payload, made on the bytes of the loaded
// resource before anything is written: a download cut short or changed on
// the way must end the run, never become a broken installation. Some system
// decompressors expand a damaged cabinet to its full length with wrong
// content and report success, so the blocks are checked here, by their
// checksums, rather than trusted to the decompressor.
//
// Accepted: one cabinet (no set, no reserved areas), one folder, MSZIP or
// stored blocks, one file that starts the folder, every block framed inside
// the recorded length, every block's checksum right, and the blocks adding
// up to the file's recorded length. A block whose checksum field is 0 passes
// only when 0 is its checksum: the packer always writes checksums, so a
// payload without them is not one of ours.
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

struct PayloadCabinet {
    uint32_t cabinetLength = 0;  // cbCabinet
    uint32_t fileLength = 0;     // cbFile of the one file: the archive's length
    uint32_t blockCount = 0;
    uint32_t faultyBlock = 0;    // 1-based block of a BadBlock or BadChecksum fault
};

PayloadFault CheckPayloadCabinet(const uint8_t* bytes, uint32_t length, PayloadCabinet& cabinet);
