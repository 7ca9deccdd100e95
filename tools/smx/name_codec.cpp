#include "name_codec.h"

#include <cstdint>
#include <cstdio>

namespace {
// Code points of bytes 0x80..0x9F; 0 marks the unassigned ones. Bytes from
// 0xA0 on equal their code points.
const uint16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// The code point of a byte, or 0 when the byte is unassigned.
uint32_t CodePointOf(unsigned char byte) {
    if (byte >= 0x80 && byte < 0xA0) return kHighControls[byte - 0x80];
    return byte;
}

bool ByteOf(uint32_t codePoint, unsigned char& byte) {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
        byte = static_cast<unsigned char>(codePoint);
        return true;
    }
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] != 0 && kHighControls[i] == codePoint) {
            byte = static_cast<unsigned char>(0x80 + i);
            return true;
        }
    }
    return false;
}


// Decodes one UTF-8 sequence at `i`, strictly: no overlong forms, no
// surrogates, nothing past U+10FFFF. Returns its length, 0 when invalid.
size_t DecodeUtf8(const std::string& s, size_t i, uint32_t& cp) {
    unsigned char lead = static_cast<unsigned char>(s[i]);
    size_t length;
    uint32_t minimum;
    if (lead < 0x80) {
        cp = lead;
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, cp = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, cp = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, cp = lead & 0x07, minimum = 0x10000;
    } else {
        return 0;
    }
    if (i + length > s.size()) return 0;
    for (size_t k = 1; k < length; ++k) {
        unsigned char next = static_cast<unsigned char>(s[i + k]);
        if ((next & 0xC0) != 0x80) return 0;
        cp = cp << 6 | (next & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return length;
}

unsigned char FoldByte(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 0x20);
    // Latin-1 capitals À..Þ (except the multiplication sign) and the three
    // capitals of the 0x80 row: Š Œ Ž, and Ÿ.
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 0x20);
    if (c == 0x8A || c == 0x8C || c == 0x8E) return static_cast<unsigned char>(c + 0x10);
    if (c == 0x9F) return 0xFF;
    return c;
}
}  // namespace

void AppendUtf8(uint32_t cp, std::string& out) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool Utf8ToCp1252(const std::string& utf8, std::string& cp1252, std::string* offending) {
    cp1252.clear();
    for (size_t i = 0; i < utf8.size();) {
        uint32_t cp = 0;
        size_t length = DecodeUtf8(utf8, i, cp);
        if (length == 0) {
            if (offending) *offending = "invalid UTF-8";
            return false;
        }
        unsigned char byte;
        if (!ByteOf(cp, byte)) {
            if (offending) *offending = utf8.substr(i, length);
            return false;
        }
        cp1252 += static_cast<char>(byte);
        i += length;
    }
    return true;
}

bool Cp1252ToUtf8(const std::string& cp1252, std::string& utf8) {
    utf8.clear();
    for (char c : cp1252) {
        uint32_t cp = CodePointOf(static_cast<unsigned char>(c));
        if (cp == 0 && c != '\0') return false;
        AppendUtf8(cp, utf8);
    }
    return true;
}

std::string FoldCp1252(const std::string& cp1252) {
    std::string folded(cp1252);
    for (char& c : folded) c = static_cast<char>(FoldByte(static_cast<unsigned char>(c)));
    return folded;
}

std::string DisplayName(const std::string& cp1252) {
    std::string shown;
    for (char c : cp1252) {
        unsigned char byte = static_cast<unsigned char>(c);
        uint32_t cp = CodePointOf(byte);
        if (byte == '\\') {
            shown += '/';
        } else if (cp == 0 || cp < 0x20 || cp == 0x7F) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02X", byte);
            shown += escape;
        } else {
            AppendUtf8(cp, shown);
        }
    }
    return shown;
}
