#include "cab_expand.h"

#include <zlib.h>

#include "install/cab_format.h"
#include "tools/common/output_file.h"

namespace {
constexpr int kRawDeflateWindowBits = -15;
}  // namespace

class CabinetExpansion::Inflater {
public:
    Inflater() { ok_ = inflateInit2(&stream_, kRawDeflateWindowBits) == Z_OK; }
    ~Inflater() {
        if (ok_) inflateEnd(&stream_);
    }
    Inflater(const Inflater&) = delete;
    Inflater& operator=(const Inflater&) = delete;
    bool Ok() const { return ok_; }

    // Inflates one whole deflate stream with `window` as its history into
    // `out`; the number of bytes made, or -1 when the stream is damaged or
    // would make more than `outLength`.
    long Inflate(const std::vector<uint8_t>& window, const uint8_t* in, uint32_t inLength, uint8_t* out,
                 uint32_t outLength) {
        if (inflateReset(&stream_) != Z_OK) return -1;
        if (!window.empty() && inflateSetDictionary(&stream_, window.data(), uInt(window.size())) != Z_OK) return -1;
        stream_.next_in = const_cast<Bytef*>(in);
        stream_.avail_in = inLength;
        stream_.next_out = out;
        stream_.avail_out = outLength;
        if (inflate(&stream_, Z_FINISH) != Z_STREAM_END) return -1;
        return long(outLength - stream_.avail_out);
    }

private:
    z_stream stream_{};
    bool ok_ = false;
};

namespace {
// The last 32 KiB expanded, which the next block may refer back into.
void KeepWindow(std::vector<uint8_t>& window, const uint8_t* block, uint32_t length) {
    window.insert(window.end(), block, block + length);
    if (window.size() > cab::kBlockSize) window.erase(window.begin(), window.end() - cab::kBlockSize);
}
}  // namespace

CabinetExpansion::CabinetExpansion(const std::string& cabinetPath, const CabinetSummary& summary)
    : path_(cabinetPath), summary_(summary), in_(cabinetPath, std::ios::binary),
      inflater_(std::make_unique<Inflater>()), data_(cab::kMaxBlockData), expanded_(cab::kBlockSize),
      offset_(summary.dataOffset) {
    if (!in_) {
        error_ = cabinetPath + ": cannot open the file";
    } else if (!inflater_->Ok()) {
        error_ = cabinetPath + ": cannot start the deflate decoder";
    }
}

CabinetExpansion::~CabinetExpansion() = default;

bool CabinetExpansion::Damaged(const std::string& what) {
    error_ = path_ + ": damaged cabinet: " + what;
    return false;
}

bool CabinetExpansion::NextBlock(const uint8_t*& bytes, uint32_t& length) {
    if (Failed() || ended_) return false;
    if (nextBlock_ == summary_.blockCount) {
        ended_ = true;
        if (done_ != summary_.fileSize) {
            return Damaged("the blocks expand to " + std::to_string(done_) + " bytes, the file records " +
                           std::to_string(summary_.fileSize));
        }
        return false;
    }
    std::string block =
        "data block " + std::to_string(nextBlock_ + 1) + " of " + std::to_string(summary_.blockCount);
    uint8_t header[cab::kDataHeaderSize];
    in_.seekg(std::streamoff(offset_));
    in_.read(reinterpret_cast<char*>(header), sizeof header);
    uint16_t dataLength = ReadU16(header + cab::kCompressedSize);
    uint16_t recorded = ReadU16(header + cab::kUncompressedSize);
    // The check passed, but the file may have changed since: every length
    // is bounded again before it is used.
    if (!in_ || dataLength > data_.size() || dataLength < 2 || recorded > expanded_.size() ||
        offset_ + cab::kDataHeaderSize + dataLength > summary_.cabinetSize) {
        return Damaged(block + " is not where the check found it");
    }
    in_.read(reinterpret_cast<char*>(data_.data()), dataLength);
    if (!in_ || data_[0] != 'C' || data_[1] != 'K') return Damaged(block + " lacks the MSZIP signature");
    long made = inflater_->Inflate(window_, data_.data() + 2, dataLength - 2u, expanded_.data(), recorded);
    if (made != long(recorded)) {
        return Damaged(block + " does not expand to the " + std::to_string(recorded) + " bytes it records");
    }
    KeepWindow(window_, expanded_.data(), recorded);
    offset_ += cab::kDataHeaderSize + dataLength;
    done_ += recorded;
    ++nextBlock_;
    bytes = expanded_.data();
    length = recorded;
    return true;
}

bool ExpandSingleFileCabinet(const std::string& cabinetPath, const CabinetSummary& summary,
                             const std::string& outputPath, std::string& error,
                             const std::function<void(uint64_t done, uint64_t total)>& progress) {
    CabinetExpansion expansion(cabinetPath, summary);
    if (expansion.Failed()) {
        error = expansion.Error();
        return false;
    }
    OutputFile output(outputPath);
    auto outputFailed = [&] {
        error = output.Error();
        return false;
    };
    if (!output.Open()) return outputFailed();
    const uint8_t* bytes = nullptr;
    uint32_t length = 0;
    while (expansion.NextBlock(bytes, length)) {
        if (!output.Write(bytes, length)) return outputFailed();
        if (progress) progress(expansion.Done(), summary.fileSize);
    }
    if (expansion.Failed()) {
        error = expansion.Error();
        return false;
    }
    return output.Commit() || outputFailed();
}
