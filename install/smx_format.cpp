#include "smx_format.h"

#include <cstring>

#include "common/byte_order.h"


void DecodeSmxHeader(const uint8_t (&raw)[SmxHeaderSize], SmxHeader& header) {
    header.kind = ReadU32(raw + SmxKindOffset);
    header.toSystemFolder = raw[SmxSystemFlagOffset];
    header.keepOnUpdate = raw[SmxKeepFlagOffset];
    std::memcpy(header.name, raw + SmxNameOffset, SmxNameField);
    header.name[SmxNameField] = '\0';
    const uint8_t* field = raw + SmxNameOffset;
    const void* nul = std::memchr(field, 0, SmxNameField);
    header.nameTerminated = nul != nullptr;
    header.nameTailClean = true;
    if (nul != nullptr) {
        for (const uint8_t* p = static_cast<const uint8_t*>(nul); p < field + SmxNameField; ++p) {
            if (*p != 0) header.nameTailClean = false;
        }
    }
    header.size = ReadU32(raw + SmxSizeOffset);
}

void EncodeSmxHeader(const SmxHeader& header, uint8_t (&raw)[SmxHeaderSize]) {
    std::memset(raw, 0, SmxHeaderSize);
    WriteU32(raw + SmxKindOffset, header.kind);
    raw[SmxSystemFlagOffset] = header.toSystemFolder;
    raw[SmxKeepFlagOffset] = header.keepOnUpdate;
    size_t length = strnlen(header.name, SmxMaxNameLength);
    std::memcpy(raw + SmxNameOffset, header.name, length);
    WriteU32(raw + SmxSizeOffset, header.size);
}
