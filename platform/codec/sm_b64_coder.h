#pragma once
// The SmB64 text form: a base64-style code with an alphabet of its own and
// no padding, written as CR LF lines of 76 characters. This is the coder
// itself, independent of files: it streams through an SmB64Output.
//
// Encoding: every 3 bytes become 4 characters; a final 2 bytes become 3
// characters, a final single byte 2. Decoding reverses this; a final single
// character yields nothing. "abc" <-> "ywj9", "a" <-> "b7".
#include <cstddef>
#include <cstdint>

// The alphabet; a character's value is its position.
extern const char SmB64Alphabet[65];
// A character's value, or -1 when it is not in the alphabet.
int SmB64Value(char character);

// Where the coder writes.
class SmB64Output {
public:
    virtual ~SmB64Output() = default;
    // Encoder: the line's characters, then CR LF, after what came before.
    virtual void WriteLine(const char* text) = 0;
    // Decoder: bytes at an offset of the output.
    virtual void WriteAt(uint32_t offset, const unsigned char* bytes, uint32_t count) = 0;
};

// One coder object serves one stream in one direction. The last flag of a
// call ends the stream: what is pending is written, and a following call
// starts a new stream (the decoder at offset 0 again).
class SmB64Coder {
public:
    static constexpr size_t LineLength = 76;

    explicit SmB64Coder(SmB64Output& output) : output_(output) {}
    virtual ~SmB64Coder() = default;
    SmB64Coder(const SmB64Coder&) = delete;
    SmB64Coder& operator=(const SmB64Coder&) = delete;

    bool EncodeBytes(const void* bytes, uint32_t count, bool last);
    // Characters outside the alphabet (line ends, blanks, anything else) are
    // skipped; the result is false when there were any.
    bool DecodeText(const char* text, uint32_t count, bool last);

private:
    void PushByte(unsigned char byte);
    void FinishEncoding();
    void WriteLine();
    void PushValue(int value);
    void FinishDecoding();

    SmB64Output& output_;
    unsigned char group_[4] = {};  // 3 bytes when encoding, 4 values when decoding
    unsigned char decoded_[3] = {};
    char line_[LineLength + 1] = {};
    int pending_ = 0;
    uint32_t fill_ = 0;    // encoder: characters in the line
    uint32_t offset_ = 0;  // decoder: where the next bytes go
};
