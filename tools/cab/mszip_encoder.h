#pragma once
// Compresses a cabinet folder's input in the MSZIP form: each 32 KiB block
// is "CK" followed by one complete raw deflate stream (ending with a final
// deflate block) that may refer back into the previous block's 32 KiB,
// which readers keep as their window.
//
// Every block has a deflate stream of its own, primed with the 32 KiB of
// input before it as a preset dictionary, so blocks can be compressed on
// several cores at once. A block's bytes depend only on its input and that
// dictionary, never on how many threads ran or which one took it: the same
// input always gives the same cabinet.
//
// The caller fills a batch of blocks at a time (BatchInput), encodes it
// (EncodeBatch) and takes the blocks in order (Block); memory stays at one
// batch, whatever the folder's size.
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class MszipEncoder {
public:
    // `threads`: how many blocks are compressed at once; 0 means one per core.
    explicit MszipEncoder(unsigned threads = 0);
    ~MszipEncoder();
    MszipEncoder(const MszipEncoder&) = delete;
    MszipEncoder& operator=(const MszipEncoder&) = delete;

    // False, with `error`, when zlib cannot be set up.
    bool Start(std::string& error);

    // Where the next batch's input goes, and how many bytes it may hold.
    uint8_t* BatchInput();
    uint32_t BatchCapacity() const;

    // Encodes the `length` bytes placed at BatchInput(): whole 32 KiB
    // blocks, and only the folder's last block may be shorter. The blocks
    // stay valid until the next batch.
    bool EncodeBatch(uint32_t length, std::string& error);

    // The batch's blocks, in order; each is never longer than the format's
    // 32 KiB + 12.
    uint32_t BlockCount() const { return blockCount_; }
    void Block(uint32_t index, const uint8_t*& encoded, uint32_t& encodedLength, uint32_t& inputLength) const;

private:
    struct Compressor;
    struct EncodedBlock {
        uint32_t inputLength = 0;
        uint32_t encodedLength = 0;
    };

    void EncodeBlocks(Compressor& compressor, std::atomic<uint32_t>& next);
    bool EncodeOne(Compressor& compressor, uint32_t index);
    uint8_t* EncodedData(uint32_t index);
    const uint8_t* EncodedData(uint32_t index) const;

    std::vector<std::unique_ptr<Compressor>> compressors_;
    uint32_t batchBlocks_ = 0;
    // The 32 KiB of history before the batch, then the batch's input.
    std::vector<uint8_t> input_;
    uint32_t historyLength_ = 0;
    uint32_t inputLength_ = 0;
    std::vector<uint8_t> encoded_;
    std::vector<EncodedBlock> blocks_;
    uint32_t blockCount_ = 0;
};
