#include "mszip_encoder.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <system_error>
#include <thread>

#include <zlib.h>

#include "install/cab_format.h"

namespace {
constexpr uint8_t kBlockSignature[2] = {'C', 'K'};
// A stored deflate block: one header byte (final bit set, type 0, padded to
// the byte), then LEN and its complement NLEN.
constexpr uint32_t kStoredOverhead = 5;
constexpr int kLevel = 6;
constexpr int kRawDeflateWindowBits = -15;
constexpr int kMemoryLevel = 8;
// The reader's window: how far back a block's matches may reach.
constexpr uint32_t kHistory = cab::kBlockSize;
constexpr uint32_t kEncodedSlot = sizeof kBlockSignature + kStoredOverhead + cab::kBlockSize;
// Blocks in flight per thread: enough that a batch keeps every core busy
// for far longer than it takes to read and write it.
constexpr uint32_t kBlocksPerThread = 16;
// More threads than this gain nothing on one cabinet's throughput.
constexpr unsigned kMaxThreads = 64;
static_assert(kEncodedSlot <= cab::kMaxBlockData, "a stored block fits an MSZIP block");

unsigned ThreadsToUse(unsigned asked) {
    unsigned threads = asked ? asked : std::thread::hardware_concurrency();
    return std::clamp(threads, 1u, kMaxThreads);
}
}  // namespace

struct MszipEncoder::Compressor {
    z_stream stream{};
    bool started = false;
    int failure = Z_OK;

    ~Compressor() {
        if (started) deflateEnd(&stream);
    }
};

MszipEncoder::MszipEncoder(unsigned threads) {
    unsigned count = ThreadsToUse(threads);
    batchBlocks_ = count * kBlocksPerThread;
    for (unsigned i = 0; i < count; ++i) compressors_.push_back(std::make_unique<Compressor>());
    input_.resize(kHistory + size_t(batchBlocks_) * cab::kBlockSize);
    encoded_.resize(size_t(batchBlocks_) * kEncodedSlot);
    blocks_.resize(batchBlocks_);
}

MszipEncoder::~MszipEncoder() = default;

bool MszipEncoder::Start(std::string& error) {
    for (auto& compressor : compressors_) {
        int result = deflateInit2(&compressor->stream, kLevel, Z_DEFLATED, kRawDeflateWindowBits, kMemoryLevel,
                                  Z_DEFAULT_STRATEGY);
        if (result != Z_OK) {
            error = "cannot start the deflate compressor (zlib error " + std::to_string(result) + ")";
            return false;
        }
        compressor->started = true;
    }
    return true;
}

uint8_t* MszipEncoder::BatchInput() { return input_.data() + kHistory; }

uint32_t MszipEncoder::BatchCapacity() const { return batchBlocks_ * cab::kBlockSize; }

bool MszipEncoder::EncodeBatch(uint32_t length, std::string& error) {
    inputLength_ = std::min(length, BatchCapacity());
    blockCount_ = (inputLength_ + cab::kBlockSize - 1) / cab::kBlockSize;
    std::atomic<uint32_t> next{0};
    for (auto& compressor : compressors_) compressor->failure = Z_OK;

    // Blocks go to whichever thread is free: each block's bytes are the
    // same whoever compresses it. When a thread cannot be had, the ones
    // running take its share.
    std::vector<std::thread> helpers;
    uint32_t helpersWanted = std::min<uint32_t>(uint32_t(compressors_.size()), blockCount_);
    helpers.reserve(helpersWanted);
    try {
        for (uint32_t i = 1; i < helpersWanted; ++i) {
            helpers.emplace_back(&MszipEncoder::EncodeBlocks, this, std::ref(*compressors_[i]), std::ref(next));
        }
    } catch (const std::system_error&) {
    }
    EncodeBlocks(*compressors_[0], next);
    for (auto& helper : helpers) helper.join();

    for (auto& compressor : compressors_) {
        if (compressor->failure != Z_OK) {
            error = "deflate compressor failed (zlib error " + std::to_string(compressor->failure) + ")";
            return false;
        }
    }

    // The last 32 KiB seen become the next batch's history.
    uint32_t kept = std::min(kHistory, historyLength_ + inputLength_);
    std::memmove(input_.data() + kHistory - kept, input_.data() + kHistory + inputLength_ - kept, kept);
    historyLength_ = kept;
    return true;
}

void MszipEncoder::Block(uint32_t index, const uint8_t*& encoded, uint32_t& encodedLength,
                         uint32_t& inputLength) const {
    encoded = EncodedData(index);
    encodedLength = blocks_[index].encodedLength;
    inputLength = blocks_[index].inputLength;
}

void MszipEncoder::EncodeBlocks(Compressor& compressor, std::atomic<uint32_t>& next) {
    for (uint32_t index = next.fetch_add(1); index < blockCount_; index = next.fetch_add(1)) {
        if (!EncodeOne(compressor, index)) return;
    }
}

bool MszipEncoder::EncodeOne(Compressor& compressor, uint32_t index) {
    const uint32_t start = kHistory + index * cab::kBlockSize;
    const uint32_t length = std::min(cab::kBlockSize, inputLength_ - index * cab::kBlockSize);
    // The dictionary is what the reader's window holds when the block
    // begins: the 32 KiB before it, or all the input before it when less.
    const uint32_t dictionaryStart = std::max(kHistory - historyLength_, start - kHistory);
    uint8_t* out = EncodedData(index);
    std::memcpy(out, kBlockSignature, sizeof kBlockSignature);

    z_stream& stream = compressor.stream;
    int result = deflateReset(&stream);
    if (result == Z_OK && dictionaryStart < start) {
        result = deflateSetDictionary(&stream, input_.data() + dictionaryStart, start - dictionaryStart);
    }
    if (result != Z_OK) {
        compressor.failure = result;
        return false;
    }
    // Deflate gets no more room than the stored form takes: when it cannot
    // finish within that, the stored form is the better encoding. The
    // reader's window holds the same bytes either way.
    stream.next_in = const_cast<Bytef*>(input_.data() + start);
    stream.avail_in = length;
    stream.next_out = out + sizeof kBlockSignature;
    stream.avail_out = kStoredOverhead + length;
    result = deflate(&stream, Z_FINISH);
    uint32_t encodedLength;
    if (result == Z_STREAM_END) {
        encodedLength = uint32_t(sizeof kBlockSignature + kStoredOverhead + length - stream.avail_out);
    } else if (result == Z_OK || result == Z_BUF_ERROR) {
        uint8_t* stored = out + sizeof kBlockSignature;
        stored[0] = 0x01;
        WriteU16(stored + 1, uint16_t(length));
        WriteU16(stored + 3, uint16_t(~length));
        std::memcpy(stored + kStoredOverhead, input_.data() + start, length);
        encodedLength = sizeof kBlockSignature + kStoredOverhead + length;
    } else {
        compressor.failure = result;
        return false;
    }
    blocks_[index] = {length, encodedLength};
    return true;
}

uint8_t* MszipEncoder::EncodedData(uint32_t index) { return encoded_.data() + size_t(index) * kEncodedSlot; }

const uint8_t* MszipEncoder::EncodedData(uint32_t index) const {
    return encoded_.data() + size_t(index) * kEncodedSlot;
}
