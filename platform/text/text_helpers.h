#pragma once
// Small helpers on single-byte strings. Every helper that writes takes the
// destination's capacity: a result that does not fit is cut and stays
// NUL-terminated. Case conversion uses the C library's tolower/toupper.
#include <cstddef>

// Zero-based index of the first occurrence of searched in text; -1 when
// absent or when either is empty.
int FindText(const char* text, const char* searched);

// Copies searched into destination when text contains it; otherwise the
// destination is untouched.
void CopyFoundText(const char* text, const char* searched, char* destination, size_t capacity);

// The first position characters of source (all of it when shorter); nothing
// when source is empty.
void LeftPart(const char* source, size_t position, char* destination, size_t capacity);

// The last n characters of text when text is non-empty and n is less than
// its length; nothing otherwise.
void RightPart(const char* text, size_t n, char* destination, size_t capacity);

// The part after the last backslash (empty when path ends with one; the
// whole path when it has none).
void FileNameOf(const char* path, char* destination, size_t capacity);

// The part before the last backslash (empty when path has none).
void FolderOf(const char* path, char* destination, size_t capacity);

void ToLower(const char* text, char* destination, size_t capacity);
void ToUpper(const char* text, char* destination, size_t capacity);
void ToLower(char* text);
void ToUpper(char* text);

// Without leading and trailing blanks and tabs, lower-cased.
void TrimLower(const char* text, char* destination, size_t capacity);
void TrimLower(char* text);

// Reversed and lower-cased (the copying form needs a separate destination).
void ReverseLower(const char* text, char* destination, size_t capacity);
void ReverseLower(char* text);

// Clears destination, then joins the texts in order, skipping null ones.
void JoinTexts(char* destination, size_t capacity, const char* t1, const char* t2 = nullptr,
               const char* t3 = nullptr, const char* t4 = nullptr, const char* t5 = nullptr,
               const char* t6 = nullptr, const char* t7 = nullptr, const char* t8 = nullptr,
               const char* t9 = nullptr, const char* t10 = nullptr);
