// The SmB64 coder, through an output that keeps everything in memory.
#include "platform/codec/sm_b64_coder.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

class MemoryOutput : public SmB64Output {
public:
    void WriteLine(const char* text) override {
        lines.push_back(text);
        text_ += std::string(text) + "\r\n";
    }
    void WriteAt(uint32_t offset, const unsigned char* bytes, uint32_t count) override {
        if (bytes_.size() < offset + count) bytes_.resize(offset + count);
        std::copy(bytes, bytes + count, bytes_.begin() + offset);
    }
    std::vector<std::string> lines;
    const std::string& text() const { return text_; }
    const Bytes& bytes() const { return bytes_; }

private:
    std::string text_;
    Bytes bytes_;
};

std::string Encode(const std::string& plain) {
    MemoryOutput output;
    SmB64Coder coder(output);
    EXPECT_TRUE(coder.EncodeBytes(plain.data(), static_cast<uint32_t>(plain.size()), true));
    return output.text();
}

std::string Decode(const std::string& text, bool* clean = nullptr) {
    MemoryOutput output;
    SmB64Coder coder(output);
    bool result = coder.DecodeText(text.data(), static_cast<uint32_t>(text.size()), true);
    if (clean != nullptr) *clean = result;
    return std::string(output.bytes().begin(), output.bytes().end());
}

TEST(SmB64Coder, KnownVectors) {
    struct Case {
        const char* plain;
        const char* code;
    };
    const Case cases[] = {{"abc", "ywj9"}, {"a", "b7"}, {"ab", "gf8"}, {"abcd", "ywj9bA"}};
    for (const Case& c : cases) {
        EXPECT_EQ(Encode(c.plain), std::string(c.code) + "\r\n") << c.plain;
        EXPECT_EQ(Decode(c.code), c.plain) << c.code;
    }
}

TEST(SmB64Coder, AlphabetValues) {
    const std::pair<char, int> values[] = {{'a', 0}, {'z', 25}, {'0', 26}, {'9', 35},
                                           {'A', 36}, {'Z', 61}, {'+', 62}, {'/', 63}};
    for (const auto& v : values) EXPECT_EQ(SmB64Value(v.first), v.second) << v.first;
    const char outside[] = {'=', ' ', '\r', '\n', '-', '\0', static_cast<char>(0xff), static_cast<char>(0x80)};
    for (char c : outside) EXPECT_EQ(SmB64Value(c), -1) << static_cast<int>(static_cast<unsigned char>(c));
}

TEST(SmB64Coder, LinesHoldSeventySixCharacters) {
    std::string text57 = Encode(std::string(57, 'x'));
    ASSERT_EQ(text57.size(), 78u);
    EXPECT_EQ(text57.substr(76), "\r\n");
    EXPECT_EQ(text57.find('\r'), 76u);

    std::string text58 = Encode(std::string(58, 'x'));
    EXPECT_EQ(text58.size(), 78u + 4u);
    EXPECT_EQ(text58.substr(0, 78), text57);
    EXPECT_EQ(text58.substr(78), Encode("x"));

    EXPECT_EQ(Encode(""), "");
}

TEST(SmB64Coder, AFinalSingleCharacterDecodesToNothing) {
    EXPECT_EQ(Decode("b"), "");
    EXPECT_EQ(Decode("ywj9b"), "abc");
    EXPECT_EQ(Decode(""), "");
}

TEST(SmB64Coder, CharactersOutsideTheAlphabetAreSkippedAndReported) {
    bool clean = true;
    std::string withSpaces = std::string("yw j9\r\nb") + static_cast<char>(0xff) + "7=";
    EXPECT_EQ(Decode(withSpaces, &clean), "abca");
    EXPECT_FALSE(clean);
    Decode("ywj9", &clean);
    EXPECT_TRUE(clean);
    // Skipped characters at the very end still let the stream finish.
    EXPECT_EQ(Decode("gf8\r\n", &clean), "ab");
}

// Many lengths, pushed in uneven pieces, the code decoded line by line as a
// reader of the text would: the bytes come back unchanged.
TEST(SmB64Coder, RoundTripInPieces) {
    std::mt19937 random(7);
    for (uint32_t length = 0; length <= 400; length += (length < 64 ? 1 : 37)) {
        SCOPED_TRACE(length);
        Bytes plain(length);
        for (auto& b : plain) b = static_cast<unsigned char>(random());

        MemoryOutput encoded;
        SmB64Coder encoder(encoded);
        uint32_t done = 0;
        do {
            uint32_t piece = std::min<uint32_t>(length - done, random() % 10);
            encoder.EncodeBytes(plain.data() + done, piece, done + piece == length);
            done += piece;
        } while (done < length);
        for (size_t i = 0; i + 1 < encoded.lines.size(); ++i) EXPECT_EQ(encoded.lines[i].size(), 76u);

        MemoryOutput decoded;
        SmB64Coder decoder(decoded);
        for (size_t i = 0; i < encoded.lines.size(); ++i) {
            const std::string& line = encoded.lines[i];
            EXPECT_TRUE(decoder.DecodeText(line.data(), static_cast<uint32_t>(line.size()),
                                           i + 1 == encoded.lines.size()));
        }
        EXPECT_EQ(decoded.bytes(), plain);
    }
}

TEST(SmB64Coder, ANewStreamFollowsTheLastFlag) {
    MemoryOutput output;
    SmB64Coder coder(output);
    coder.EncodeBytes("ab", 2, true);
    coder.EncodeBytes("abc", 3, true);
    EXPECT_EQ(output.text(), "gf8\r\nywj9\r\n");

    MemoryOutput bytes;
    SmB64Coder decoder(bytes);
    decoder.DecodeText("ywj9", 4, true);
    std::string second = Encode("Z").substr(0, 2);
    decoder.DecodeText(second.data(), 2, true);  // written at offset 0 again
    EXPECT_EQ(std::string(bytes.bytes().begin(), bytes.bytes().end()), "Zbc");
}

}  // namespace
