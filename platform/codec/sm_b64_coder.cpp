#include "platform/codec/sm_b64_coder.h"

#include <cstring>

const char SmB64Alphabet[65] = "abcdefghijklmnopqrstuvwxyz0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ+/";

int SmB64Value(char character) {
    if (character == '\0') return -1;
    const char* found = std::strchr(SmB64Alphabet, character);
    return found == nullptr ? -1 : static_cast<int>(found - SmB64Alphabet);
}

bool SmB64Coder::EncodeBytes(const void* bytes, uint32_t count, bool last) {
    const unsigned char* in = static_cast<const unsigned char*>(bytes);
    for (uint32_t i = 0; i < count; ++i) PushByte(in[i]);
    if (last) FinishEncoding();
    return true;
}

void SmB64Coder::PushByte(unsigned char byte) {
    group_[pending_++] = byte;
    if (pending_ < 3) return;
    const char* a = SmB64Alphabet;
    char* out = line_ + fill_;
    out[0] = a[group_[0] >> 2];
    out[1] = a[((group_[0] & 3) << 4) | (group_[1] >> 4)];
    out[2] = a[((group_[1] & 15) << 2) | (group_[2] >> 6)];
    out[3] = a[group_[2] & 63];
    pending_ = 0;
    fill_ += 4;
    if (fill_ >= LineLength) WriteLine();
}

void SmB64Coder::FinishEncoding() {
    const char* a = SmB64Alphabet;
    char* out = line_ + fill_;
    if (pending_ == 2) {
        out[0] = a[group_[0] >> 4];
        out[1] = a[((group_[0] & 15) << 2) | (group_[1] >> 6)];
        out[2] = a[group_[1] & 63];
        fill_ += 3;
    } else if (pending_ == 1) {
        out[0] = a[group_[0] >> 6];
        out[1] = a[group_[0] & 63];
        fill_ += 2;
    }
    pending_ = 0;
    if (fill_ > 0) WriteLine();
}

void SmB64Coder::WriteLine() {
    line_[fill_] = '\0';
    output_.WriteLine(line_);
    std::memset(line_, 0, sizeof line_);
    fill_ = 0;
}

bool SmB64Coder::DecodeText(const char* text, uint32_t count, bool last) {
    bool clean = true;
    for (uint32_t i = 0; i < count; ++i) {
        int value = SmB64Value(text[i]);
        if (value < 0) {
            clean = false;
            continue;
        }
        PushValue(value);
    }
    if (last) FinishDecoding();
    return clean;
}

void SmB64Coder::PushValue(int value) {
    group_[pending_++] = static_cast<unsigned char>(value);
    if (pending_ < 4) return;
    const unsigned char* v = group_;
    decoded_[0] = static_cast<unsigned char>((v[0] << 2) | (v[1] >> 4));
    decoded_[1] = static_cast<unsigned char>((v[1] << 4) | (v[2] >> 2));
    decoded_[2] = static_cast<unsigned char>((v[2] << 6) | v[3]);
    output_.WriteAt(offset_, decoded_, 3);
    offset_ += 3;
    pending_ = 0;
}

void SmB64Coder::FinishDecoding() {
    const unsigned char* v = group_;
    uint32_t count = 0;
    if (pending_ == 3) {
        decoded_[0] = static_cast<unsigned char>((v[0] << 4) | (v[1] >> 2));
        decoded_[1] = static_cast<unsigned char>((v[1] << 6) | v[2]);
        count = 2;
    } else if (pending_ == 2) {
        decoded_[0] = static_cast<unsigned char>((v[0] << 6) | v[1]);
        count = 1;
    }
    if (count > 0) output_.WriteAt(offset_, decoded_, count);
    pending_ = 0;
    offset_ = 0;
}
