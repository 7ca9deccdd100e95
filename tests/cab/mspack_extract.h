#pragma once
// Reads a cabinet with libmspack, an independent decoder that checks every
// block's checksum: what our writer makes must satisfy it.
#include <string>

struct MspackResult {
    int openError = 0;     // MSPACK_ERR_* from opening (0 = opened)
    int extractError = 0;  // MSPACK_ERR_* from extracting the first file
    int fileCount = 0;
    std::string name;      // first file as recorded
    unsigned length = 0;
    int attributes = 0;
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// Opens `cabinetPath` and extracts its first file to `outputPath`.
MspackResult ExtractWithMspack(const std::string& cabinetPath, const std::string& outputPath);
