#include "mszip_encoder.h"

#include <cstring>

#include "cab_format.h"

namespace {
constexpr uint8_t kBlockSignature[2] = {'C', 'K'};
// A stored deflate block: one header byte (final bit set, type 0, padded to
// the byte), then LEN and its complement NLEN.
constexpr uint32_t kStoredOverhead = 5;
// An empty final block with fixed codes: final bit, type 1, end-of-block.
constexpr uint8_t kEmptyFinalBlock[2] = {0x03, 0x00};
constexpr int kLevel = 6;
constexpr int kRawDeflateWindowBits = -15;
constexpr int kMemoryLevel = 8;
// Room for deflate's worst case on one block: stored sub-blocks of 16 KiB
// with their headers, the flush's empty stored block and slack.
constexpr uint32_t kDeflateRoom = 2 * cab::kBlockSize;
static_assert(sizeof kBlockSignature + kStoredOverhead + cab::kBlockSize <= cab::kMaxBlockData,
              "a stored block fits an MSZIP block");
}  // namespace

MszipEncoder::MszipEncoder()
    : deflated_(kDeflateRoom), output_(sizeof kBlockSignature + kStoredOverhead + cab::kBlockSize) {}

MszipEncoder::~MszipEncoder() {
    if (started_) deflateEnd(&stream_);
}

bool MszipEncoder::Start(std::string& error) {
    int result = deflateInit2(&stream_, kLevel, Z_DEFLATED, kRawDeflateWindowBits, kMemoryLevel, Z_DEFAULT_STRATEGY);
    if (result != Z_OK) {
        error = "cannot start the deflate compressor (zlib error " + std::to_string(result) + ")";
        return false;
    }
    started_ = true;
    return true;
}

bool MszipEncoder::EncodeBlock(const uint8_t* input, uint32_t length, const uint8_t*& encoded,
                               uint32_t& encodedLength, std::string& error) {
    stream_.next_in = const_cast<Bytef*>(input);
    stream_.avail_in = length;
    stream_.next_out = deflated_.data();
    stream_.avail_out = kDeflateRoom;
    int result = deflate(&stream_, Z_SYNC_FLUSH);
    if (result != Z_OK || stream_.avail_in != 0 || stream_.avail_out == 0) {
        error = "deflate compressor failed (zlib error " + std::to_string(result) + ")";
        return false;
    }
    uint32_t deflatedLength = kDeflateRoom - stream_.avail_out;
    // The stored form is the better encoding when deflate needs more room;
    // the reader's window holds the same bytes either way, so the stream
    // goes on from here unchanged.
    if (deflatedLength + sizeof kEmptyFinalBlock <= kStoredOverhead + length) {
        uint8_t* p = output_.data();
        std::memcpy(p, kBlockSignature, sizeof kBlockSignature);
        std::memcpy(p + sizeof kBlockSignature, deflated_.data(), deflatedLength);
        std::memcpy(p + sizeof kBlockSignature + deflatedLength, kEmptyFinalBlock, sizeof kEmptyFinalBlock);
        outputLength_ = uint32_t(sizeof kBlockSignature + deflatedLength + sizeof kEmptyFinalBlock);
    } else {
        EncodeStored(input, length);
    }
    encoded = output_.data();
    encodedLength = outputLength_;
    return true;
}

void MszipEncoder::EncodeStored(const uint8_t* input, uint32_t length) {
    uint8_t* p = output_.data();
    std::memcpy(p, kBlockSignature, sizeof kBlockSignature);
    p += sizeof kBlockSignature;
    p[0] = 0x01;
    cab::WriteU16(p + 1, uint16_t(length));
    cab::WriteU16(p + 3, uint16_t(~length));
    std::memcpy(p + kStoredOverhead, input, length);
    outputLength_ = sizeof kBlockSignature + kStoredOverhead + length;
}
