#pragma once
// Writes the installer's payload cabinet: a single-file MSZIP Microsoft
// Cabinet that the system's cabinet decompressor expands.
#include <cstdint>
#include <functional>
#include <string>

// Writes `outputPath` as a Microsoft Cabinet (version 1.3) holding one file,
// `nameInCabinet` (e.g. "OrvNet.smx", archive attribute set), compressed
// with MSZIP in one folder, 32 KiB blocks, set identifier 12345, index 0,
// no previous/next cabinet, no reserved areas. The file's date and time
// come from SOURCE_DATE_EPOCH when set, otherwise 1980-01-01 00:00:00, so
// two runs on the same input give identical bytes. The input is streamed;
// it may hold at most 2,147,450,880 bytes (65535 blocks, the most one folder
// can count). Writes to a temporary file beside the output and renames it at
// the end; on failure nothing is left and `error` says what went wrong,
// naming the file. `progress`, when given, hears the input bytes compressed
// so far after every block. Blocks are compressed on `threads` cores at once
// (0: all of them); the cabinet's bytes are the same whatever that number.
bool WriteSingleFileCabinet(const std::string& sourcePath, const std::string& nameInCabinet,
                            const std::string& outputPath, std::string& error,
                            const std::function<void(uint64_t done, uint64_t total)>& progress = {},
                            unsigned threads = 0);
