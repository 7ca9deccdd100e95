#pragma once
// Expands the one file of a single-file MSZIP cabinet, such as the
// installer's payload, the way the system's decompressor would: every block
// is "CK" and a raw deflate stream that may refer back into the 32 KiB
// expanded before it, and must expand to exactly the bytes its header
// records.
#include <cstdint>
#include <functional>
#include <string>

#include "cab_reader.h"

// `summary` comes from a CheckCabinet of the same file that found no
// problem. Writes the file's bytes to `outputPath` (whole or not at all).
// False, with `error` naming the cabinet and the block, when a block does
// not expand as recorded; `progress` hears the bytes expanded so far.
bool ExpandSingleFileCabinet(const std::string& cabinetPath, const CabinetSummary& summary,
                             const std::string& outputPath, std::string& error,
                             const std::function<void(uint64_t done, uint64_t total)>& progress = {});
