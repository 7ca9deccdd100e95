#pragma once
// Paths the system gives in UTF-16, brought to the ANSI code page without
// letting the code page stand in other characters. A folder below a profile
// named in another script ("C:\Users\Иван\...") has no ANSI form: the A
// calls answer it with '?' for each letter (a path no file call can use),
// and best-fit mapping can even turn a letter into another one ("ł" → "l"),
// naming another folder. Such a path is given in its short form, which the
// file system makes of ASCII characters, or not at all.
#include <windows.h>

#include <cstddef>

// The path in ANSI, exactly as it is or in its short form (the path must
// exist for that). False, and buffer "", when neither fits or converts
// without replacement.
bool ToAnsiPath(const wchar_t* path, char* buffer, size_t capacity);
