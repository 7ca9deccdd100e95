#pragma once
// Layout of a Microsoft Cabinet as the packer writes it and the installer and
// the tools check it: one cabinet, no reserved areas, every field
// little-endian.
//
//   offset 0   CFHEADER (36 bytes)
//          36  CFFOLDER (8 bytes) per folder
//   coffFiles  CFFILE (16 bytes + NUL-terminated name) per file
//   coffCabStart  CFDATA blocks: 8-byte header, then cbData bytes
//
// Fields are encoded and decoded byte by byte, never through a struct cast.
#include <cstddef>
#include <cstdint>

#include "common/byte_order.h"

namespace cab {

// CFHEADER
constexpr uint32_t kHeaderSize = 36;
constexpr size_t kSignature = 0;      // "MSCF"
constexpr size_t kCabinetSize = 8;    // u32 cbCabinet
constexpr size_t kFilesOffset = 16;   // u32 coffFiles
constexpr size_t kVersionMinor = 24;  // u8
constexpr size_t kVersionMajor = 25;  // u8
constexpr size_t kFolderCount = 26;   // u16 cFolders
constexpr size_t kFileCount = 28;     // u16 cFiles
constexpr size_t kFlags = 30;         // u16
constexpr size_t kSetId = 32;         // u16 setID
constexpr size_t kCabinetIndex = 34;  // u16 iCabinet

// CFFOLDER
constexpr uint32_t kFolderSize = 8;
constexpr size_t kDataOffset = 0;     // u32 coffCabStart
constexpr size_t kDataCount = 4;      // u16 cCFData
constexpr size_t kCompression = 6;    // u16 typeCompress

// CFFILE
constexpr uint32_t kFileEntrySize = 16;  // followed by the name and its NUL
constexpr size_t kFileSize = 0;          // u32 cbFile
constexpr size_t kFolderStart = 4;       // u32 uoffFolderStart
constexpr size_t kFolderIndex = 8;       // u16 iFolder
constexpr size_t kDate = 10;             // u16 DOS date
constexpr size_t kTime = 12;             // u16 DOS time
constexpr size_t kAttributes = 14;       // u16 attribs

// CFDATA
constexpr uint32_t kDataHeaderSize = 8;
constexpr size_t kChecksum = 0;          // u32 csum, over what follows it
constexpr size_t kCompressedSize = 4;    // u16 cbData
constexpr size_t kUncompressedSize = 6;  // u16 cbUncomp

constexpr uint8_t kVersionMinorValue = 3;
constexpr uint8_t kVersionMajorValue = 1;
constexpr uint16_t kCompressionMszip = 1;
constexpr uint16_t kAttributeArchive = 0x20;
constexpr uint16_t kFlagsReservePresent = 0x0004;

// MSZIP: every block but the last holds exactly 32 KiB of input; its data
// is "CK" followed by one complete deflate stream, at most 32 KiB + 12.
constexpr uint32_t kBlockSize = 32768;
constexpr uint32_t kMaxBlockData = kBlockSize + 12;
// cCFData is 16 bits, so one folder holds at most 65535 full blocks.
constexpr uint32_t kMaxFolderBytes = 65535u * kBlockSize;
// Names are at most 255 bytes before their NUL.
constexpr size_t kMaxNameLength = 255;

static_assert(kHeaderSize == kCabinetIndex + 2, "CFHEADER size");
static_assert(kFolderSize == kCompression + 2, "CFFOLDER size");
static_assert(kFileEntrySize == kAttributes + 2, "CFFILE size");
static_assert(kDataHeaderSize == kUncompressedSize + 2, "CFDATA header size");
static_assert(kMaxFolderBytes == 0x7FFF8000u, "largest folder");

}  // namespace cab
