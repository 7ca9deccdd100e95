#pragma once
// Expands the one file of a single-file MSZIP cabinet, such as the
// installer's payload, the way the system's decompressor would: every block
// is "CK" and a raw deflate stream that may refer back into the 32 KiB
// expanded before it, and must expand to exactly the bytes its header
// records; the blocks together must make the file's recorded length.
#include <cstdint>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "cab_reader.h"

// The file's bytes, one block at a time, in order, for a reader that wants
// them without a copy on disk. `summary` comes from a CheckCabinet of the
// same file that found no problem.
class CabinetExpansion {
public:
    CabinetExpansion(const std::string& cabinetPath, const CabinetSummary& summary);
    ~CabinetExpansion();
    CabinetExpansion(const CabinetExpansion&) = delete;
    CabinetExpansion& operator=(const CabinetExpansion&) = delete;

    // The next block's expanded bytes, valid until the next call. False once
    // every block has been given, or at the first failure: Failed() tells
    // which, and Error() names the cabinet and the block.
    bool NextBlock(const uint8_t*& bytes, uint32_t& length);
    bool Failed() const { return !error_.empty(); }
    const std::string& Error() const { return error_; }
    // Bytes given so far.
    uint64_t Done() const { return done_; }

private:
    class Inflater;
    bool Damaged(const std::string& what);

    std::string path_;
    CabinetSummary summary_;
    std::ifstream in_;
    std::unique_ptr<Inflater> inflater_;
    std::vector<uint8_t> data_;
    std::vector<uint8_t> expanded_;
    std::vector<uint8_t> window_;
    uint64_t offset_ = 0;
    uint32_t nextBlock_ = 0;
    uint64_t done_ = 0;
    bool ended_ = false;
    std::string error_;
};

// Writes the file's bytes to `outputPath` (whole or not at all). False, with
// `error` naming the cabinet and the block, when a block does not expand as
// recorded; `progress` hears the bytes expanded so far.
bool ExpandSingleFileCabinet(const std::string& cabinetPath, const CabinetSummary& summary,
                             const std::string& outputPath, std::string& error,
                             const std::function<void(uint64_t done, uint64_t total)>& progress = {});
