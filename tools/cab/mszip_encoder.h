#pragma once
// Compresses a cabinet folder's input block by block in the MSZIP form:
// each block is "CK" followed by one complete raw deflate stream (ending
// with a final deflate block) that may refer back into the previous
// block's 32 KiB, which readers keep as their window.
//
// One deflate stream runs through the whole folder: each block's input is
// flushed to a byte boundary (Z_SYNC_FLUSH) and closed with an empty final
// block, so the compressor keeps its window and hash chains from block to
// block instead of loading the previous block as a dictionary every time.
#include <cstdint>
#include <string>
#include <vector>

#include <zlib.h>

class MszipEncoder {
public:
    MszipEncoder();
    ~MszipEncoder();
    MszipEncoder(const MszipEncoder&) = delete;
    MszipEncoder& operator=(const MszipEncoder&) = delete;

    // False, with `error`, when zlib cannot be set up.
    bool Start(std::string& error);

    // Encodes the next block: `length` up to 32 KiB, and only the last
    // block of a folder may be shorter. The result stays valid until the
    // next call and is never longer than the format's 32 KiB + 12.
    bool EncodeBlock(const uint8_t* input, uint32_t length, const uint8_t*& encoded,
                     uint32_t& encodedLength, std::string& error);

private:
    void EncodeStored(const uint8_t* input, uint32_t length);

    z_stream stream_{};
    bool started_ = false;
    std::vector<uint8_t> deflated_;
    std::vector<uint8_t> output_;
    uint32_t outputLength_ = 0;
};
