#pragma once
// Names cross between two encodings: the product folder on Linux has UTF-8
// names, the archive holds Windows-1252 bytes (the installer hands them to
// the ANSI file functions unchanged).
#include <cstdint>
#include <string>

// Appends one character below U+10000 (a UTF-16 unit that is no surrogate)
// as UTF-8.
void AppendUtf8(uint32_t codePoint, std::string& out);

// False when the text is not valid UTF-8 or holds a character that
// Windows-1252 lacks; `offending` then receives that character (or "invalid
// UTF-8").
bool Utf8ToCp1252(const std::string& utf8, std::string& cp1252, std::string* offending = nullptr);
// False when a byte is one of the five that Windows-1252 leaves unassigned.
bool Cp1252ToUtf8(const std::string& cp1252, std::string& utf8);

// Windows compares names without regard to letter case, accented letters
// included: two names that fold to the same bytes are the same file there.
std::string FoldCp1252(const std::string& cp1252);

// An archive name made readable for messages and listings: UTF-8, folders
// separated by '/', bytes that are no character shown as \xNN.
std::string DisplayName(const std::string& cp1252);
