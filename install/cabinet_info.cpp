#include "cabinet_info.h"

namespace {
// CFHEADER: signature "MSCF" at 0, cbCabinet at 8, coffFiles at 16,
// cFolders at 26, cFiles at 28. CFFILE: cbFile at 0.
constexpr uint32_t kHeaderLength = 36;
constexpr uint32_t kCabinetLengthOffset = 8;
constexpr uint32_t kFilesOffsetOffset = 16;
constexpr uint32_t kFileCountOffset = 28;
constexpr uint32_t kFileEntryLength = 16;

uint32_t U32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
uint32_t U16(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8; }
}  // namespace

bool ReadCabinetInfo(const uint8_t* bytes, uint32_t length, CabinetInfo& info) {
    if (length < kHeaderLength) return false;
    if (bytes[0] != 'M' || bytes[1] != 'S' || bytes[2] != 'C' || bytes[3] != 'F') return false;
    info.cabinetLength = U32(bytes + kCabinetLengthOffset);
    info.fileCount = U16(bytes + kFileCountOffset);
    uint32_t files = U32(bytes + kFilesOffsetOffset);
    if (info.fileCount == 0 || files < kHeaderLength || files > length || length - files < kFileEntryLength) {
        return false;
    }
    info.firstFileLength = U32(bytes + files);
    return true;
}
