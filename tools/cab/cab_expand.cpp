#include "cab_expand.h"

#include <zlib.h>

#include <fstream>
#include <vector>

#include "install/cab_format.h"
#include "tools/common/output_file.h"

namespace {
constexpr int kRawDeflateWindowBits = -15;

class Inflater {
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

// The last 32 KiB expanded, which the next block may refer back into.
void KeepWindow(std::vector<uint8_t>& window, const uint8_t* block, uint32_t length) {
    window.insert(window.end(), block, block + length);
    if (window.size() > cab::kBlockSize) window.erase(window.begin(), window.end() - cab::kBlockSize);
}
}  // namespace

bool ExpandSingleFileCabinet(const std::string& cabinetPath, const CabinetSummary& summary,
                             const std::string& outputPath, std::string& error,
                             const std::function<void(uint64_t done, uint64_t total)>& progress) {
    auto damaged = [&](const std::string& what) {
        error = cabinetPath + ": damaged cabinet: " + what;
        return false;
    };
    std::ifstream in(cabinetPath, std::ios::binary);
    if (!in) {
        error = cabinetPath + ": cannot open the file";
        return false;
    }
    Inflater inflater;
    if (!inflater.Ok()) {
        error = cabinetPath + ": cannot start the deflate decoder";
        return false;
    }
    OutputFile output(outputPath);
    auto outputFailed = [&] {
        error = output.Error();
        return false;
    };
    if (!output.Open()) return outputFailed();

    std::vector<uint8_t> data(cab::kMaxBlockData);
    std::vector<uint8_t> expanded(cab::kBlockSize);
    std::vector<uint8_t> window;
    uint64_t offset = summary.dataOffset;
    uint64_t done = 0;
    for (uint32_t i = 0; i < summary.blockCount; ++i) {
        std::string block = "data block " + std::to_string(i + 1) + " of " + std::to_string(summary.blockCount);
        uint8_t header[cab::kDataHeaderSize];
        in.seekg(std::streamoff(offset));
        in.read(reinterpret_cast<char*>(header), sizeof header);
        uint16_t dataLength = ReadU16(header + cab::kCompressedSize);
        uint16_t length = ReadU16(header + cab::kUncompressedSize);
        // The check passed, but the file may have changed since: every
        // length is bounded again before it is used.
        if (!in || dataLength > data.size() || dataLength < 2 || length > expanded.size() ||
            offset + cab::kDataHeaderSize + dataLength > summary.cabinetSize) {
            return damaged(block + " is not where the check found it");
        }
        in.read(reinterpret_cast<char*>(data.data()), dataLength);
        if (!in || data[0] != 'C' || data[1] != 'K') return damaged(block + " lacks the MSZIP signature");
        long made = inflater.Inflate(window, data.data() + 2, dataLength - 2u, expanded.data(), length);
        if (made != long(length)) return damaged(block + " does not expand to the " + std::to_string(length) +
                                                 " bytes it records");
        if (!output.Write(expanded.data(), length)) return outputFailed();
        KeepWindow(window, expanded.data(), length);
        offset += cab::kDataHeaderSize + dataLength;
        done += length;
        if (progress) progress(done, summary.fileSize);
    }
    if (done != summary.fileSize) {
        return damaged("the blocks expand to " + std::to_string(done) + " bytes, the file records " +
                       std::to_string(summary.fileSize));
    }
    return output.Commit() || outputFailed();
}
