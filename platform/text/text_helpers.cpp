#include "platform/text/text_helpers.h"

#include <cctype>
#include <cstring>

#include "common/bounded_copy.h"

namespace {

// Copies length characters of source (cut to capacity) and terminates.
void CopyPart(const char* source, size_t length, char* destination, size_t capacity) {
    if (capacity == 0) return;
    if (length > capacity - 1) length = capacity - 1;
    std::memmove(destination, source, length);
    destination[length] = '\0';
}

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }
char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

template <class Convert>
void ConvertCopy(const char* text, char* destination, size_t capacity, Convert convert) {
    if (capacity == 0) return;
    size_t i = 0;
    for (; text[i] != '\0' && i < capacity - 1; ++i) destination[i] = convert(text[i]);
    destination[i] = '\0';
}

}  // namespace

int FindText(const char* text, const char* searched) {
    if (*text == '\0' || *searched == '\0') return -1;
    const char* found = std::strstr(text, searched);
    return found == nullptr ? -1 : static_cast<int>(found - text);
}

void CopyFoundText(const char* text, const char* searched, char* destination, size_t capacity) {
    if (FindText(text, searched) >= 0) CopyBounded(destination, capacity, searched);
}

void LeftPart(const char* source, size_t position, char* destination, size_t capacity) {
    size_t length = std::strlen(source);
    if (length == 0) return;
    CopyPart(source, position < length ? position : length, destination, capacity);
}

void RightPart(const char* text, size_t n, char* destination, size_t capacity) {
    size_t length = std::strlen(text);
    if (length == 0 || n >= length) return;
    CopyBounded(destination, capacity, text + length - n);
}

void FileNameOf(const char* path, char* destination, size_t capacity) {
    const char* last = std::strrchr(path, '\\');
    CopyBounded(destination, capacity, last == nullptr ? path : last + 1);
}

void FolderOf(const char* path, char* destination, size_t capacity) {
    const char* last = std::strrchr(path, '\\');
    CopyPart(path, last == nullptr ? 0 : static_cast<size_t>(last - path), destination, capacity);
}

void ToLower(const char* text, char* destination, size_t capacity) { ConvertCopy(text, destination, capacity, Lower); }
void ToUpper(const char* text, char* destination, size_t capacity) { ConvertCopy(text, destination, capacity, Upper); }
void ToLower(char* text) { ConvertCopy(text, text, std::strlen(text) + 1, Lower); }
void ToUpper(char* text) { ConvertCopy(text, text, std::strlen(text) + 1, Upper); }

void TrimLower(const char* text, char* destination, size_t capacity) {
    while (IsBlank(*text)) ++text;
    size_t length = std::strlen(text);
    while (length > 0 && IsBlank(text[length - 1])) --length;
    CopyPart(text, length, destination, capacity);
    if (capacity > 0) ToLower(destination);
}

void TrimLower(char* text) { TrimLower(text, text, std::strlen(text) + 1); }

void ReverseLower(const char* text, char* destination, size_t capacity) {
    if (capacity == 0) return;
    size_t length = std::strlen(text);
    size_t kept = length < capacity - 1 ? length : capacity - 1;
    for (size_t i = 0; i < kept; ++i) destination[i] = Lower(text[length - 1 - i]);
    destination[kept] = '\0';
}

void ReverseLower(char* text) {
    size_t length = std::strlen(text);
    for (size_t i = 0, j = length; i + 1 < j; ++i, --j) {
        char c = text[i];
        text[i] = text[j - 1];
        text[j - 1] = c;
    }
    ToLower(text);
}

void JoinTexts(char* destination, size_t capacity, const char* t1, const char* t2, const char* t3, const char* t4,
               const char* t5, const char* t6, const char* t7, const char* t8, const char* t9, const char* t10) {
    if (capacity == 0) return;
    std::memset(destination, 0, capacity);
    const char* texts[] = {t1, t2, t3, t4, t5, t6, t7, t8, t9, t10};
    for (const char* text : texts) {
        if (text != nullptr) AppendBounded(destination, capacity, text);
    }
}
