#pragma once
// Finds one resource in the bytes of a Windows executable (PE32 or PE32+):
// the MZ header leads to the PE header, its resource directory entry to the
// resource tree (type, then name, then language), and the data entry to the
// resource's bytes. Every offset and length is checked against the bytes
// given before it is read, so a damaged file is reported, never read past.
#include <cstddef>
#include <cstdint>
#include <string>

constexpr uint32_t PeResourceTypeRcdata = 10;

enum class PeLookup {
    Found,
    NotExecutable,  // no MZ and PE headers
    Missing,        // a sound executable without that resource
    Damaged,        // headers or resource tree point outside the file
};

struct PeResource {
    uint64_t fileOffset = 0;
    uint32_t size = 0;
};

// Looks up resource `id` of `type` (integer identifiers; the first language
// present). `problem` says what is wrong unless the result is Found.
PeLookup FindPeResource(const uint8_t* bytes, size_t length, uint32_t type, uint32_t id, PeResource& resource,
                        std::string& problem);
