#include "mszip_encoder.h"

#include <cstring>

#include "cab_format.h"

namespace {
constexpr uint8_t kBlockSignature[2] = {'C', 'K'};
// A stored deflate block: one header byte (final bit set, type 0, padded to
// the byte), then LEN and its complement NLEN.
constexpr uint32_t kStoredOverhead = 5;
constexpr int kLevel = 6;
constexpr int kRawDeflateWindowBits = -15;
constexpr int kMemoryLevel = 8;
static_assert(sizeof kBlockSignature + kStoredOverhead + cab::kBlockSize <= cab::kMaxBlockData,
              "a stored block fits an MSZIP block");
}  // namespace

MszipEncoder::MszipEncoder()
    : history_(cab::kBlockSize), output_(sizeof kBlockSignature + kStoredOverhead + cab::kBlockSize) {}

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
    std::memcpy(output_.data(), kBlockSignature, sizeof kBlockSignature);
    int result = deflateReset(&stream_);
    if (result == Z_OK && haveHistory_) result = deflateSetDictionary(&stream_, history_.data(), cab::kBlockSize);
    if (result != Z_OK) {
        error = "deflate compressor failed (zlib error " + std::to_string(result) + ")";
        return false;
    }
    // Deflate gets only as much room as a stored block would take: when it
    // needs more, the stored block is the better encoding.
    uint32_t storedLength = kStoredOverhead + length;
    stream_.next_in = const_cast<Bytef*>(input);
    stream_.avail_in = length;
    stream_.next_out = output_.data() + sizeof kBlockSignature;
    stream_.avail_out = storedLength;
    result = deflate(&stream_, Z_FINISH);
    if (result == Z_STREAM_END) {
        outputLength_ = uint32_t(sizeof kBlockSignature + storedLength - stream_.avail_out);
    } else if (result == Z_OK || result == Z_BUF_ERROR) {
        EncodeStored(input, length);
    } else {
        error = "deflate compressor failed (zlib error " + std::to_string(result) + ")";
        return false;
    }
    if (length == cab::kBlockSize) {
        std::memcpy(history_.data(), input, length);
        haveHistory_ = true;
    }
    encoded = output_.data();
    encodedLength = outputLength_;
    return true;
}

void MszipEncoder::EncodeStored(const uint8_t* input, uint32_t length) {
    uint8_t* p = output_.data() + sizeof kBlockSignature;
    p[0] = 0x01;
    cab::WriteU16(p + 1, uint16_t(length));
    cab::WriteU16(p + 3, uint16_t(~length));
    std::memcpy(p + kStoredOverhead, input, length);
    outputLength_ = sizeof kBlockSignature + kStoredOverhead + length;
}
