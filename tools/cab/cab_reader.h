#pragma once
// Checks a single-file MSZIP cabinet file, such as the installer's payload,
// without expanding it: the bytes the cabinet records are read and checked
// by the installer's own check (install/payload_check.h) under the tools'
// rules, and what it finds is put in words that name the file.
#include <cstdint>
#include <string>

enum class CabinetProblem {
    None,
    Unreadable,    // the file cannot be opened or read
    Damaged,       // truncated, inconsistent or failing a checksum
    NotSupported,  // a valid cabinet of a kind this check does not cover
};

struct CabinetSummary {
    std::string fileName;    // as recorded, without its NUL
    uint32_t fileSize = 0;   // uncompressed bytes of the file
    uint32_t cabinetSize = 0;
    uint16_t blockCount = 0;
    uint32_t dataOffset = 0;  // where the first data block starts
};

// None when `path` holds a cabinet of one folder compressed with MSZIP and
// one file; otherwise `error` names the file and the problem.
CabinetProblem CheckCabinet(const std::string& path, CabinetSummary& summary, std::string& error);
