// The SmB64 coder. Decoding arbitrary text, cut into arbitrary calls, must
// write only where the stream is; encoding arbitrary bytes and decoding the
// lines must give the bytes back, every line but the last 76 characters.
#include <cstring>
#include <string>
#include <vector>

#include "input_file.h"
#include "platform/codec/sm_b64_coder.h"

namespace {
class MemoryOutput : public SmB64Output {
public:
    void WriteLine(const char* text) override {
        lines.push_back(text);
    }
    void WriteAt(uint32_t offset, const unsigned char* bytes, uint32_t count) override {
        if (count == 0 || count > 3) Finding("the decoder wrote an impossible group");
        if (offset != bytes_.size() && offset != 0) Finding("the decoder skipped or went back in its output");
        if (offset == 0) bytes_.clear();
        bytes_.insert(bytes_.end(), bytes, bytes + count);
    }
    std::vector<std::string> lines;
    const std::vector<unsigned char>& Bytes() const { return bytes_; }

private:
    std::vector<unsigned char> bytes_;
};

void CheckDecodeOfText(const uint8_t* data, size_t size) {
    MemoryOutput output;
    SmB64Coder coder(output);
    // The first byte cuts the text into calls, as lines of a file are.
    size_t step = size > 0 ? 1 + data[0] % 80 : 1;
    const char* text = reinterpret_cast<const char*>(data);
    size_t values = 0;
    for (size_t i = 0; i < size; ++i) values += SmB64Value(text[i]) >= 0;
    for (size_t at = 0; at < size; at += step) {
        size_t count = size - at < step ? size - at : step;
        coder.DecodeText(text + at, static_cast<uint32_t>(count), at + count == size);
    }
    size_t expected = values / 4 * 3 + (values % 4 == 3 ? 2 : values % 4 == 2 ? 1 : 0);
    if (size > 0 && output.Bytes().size() != expected) Finding("decoded length disagrees with the characters");
}

void CheckRoundTrip(const uint8_t* data, size_t size) {
    MemoryOutput encoded;
    SmB64Coder encoder(encoded);
    if (size == 0) return;
    encoder.EncodeBytes(data, static_cast<uint32_t>(size), true);
    MemoryOutput decoded;
    SmB64Coder decoder(decoded);
    for (size_t i = 0; i < encoded.lines.size(); ++i) {
        const std::string& line = encoded.lines[i];
        bool last = i + 1 == encoded.lines.size();
        if (!last && line.size() != SmB64Coder::LineLength) Finding("an inner line is not 76 characters");
        if (line.empty() || line.size() > SmB64Coder::LineLength) Finding("a line has an impossible length");
        if (!decoder.DecodeText(line.data(), static_cast<uint32_t>(line.size()), last)) {
            Finding("the encoder wrote a character outside the alphabet");
        }
    }
    if (decoded.Bytes() != std::vector<unsigned char>(data, data + size)) Finding("round trip changed the bytes");
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CheckDecodeOfText(data, size);
    CheckRoundTrip(data, size);
    return 0;
}
