#pragma once
// The product folder named on the command line, and whether it may be
// uninstalled. Checked before anything is removed.
#include <cstddef>

enum class FolderRefusal {
    None,
    Missing,        // nothing on the command line
    NotFullPath,    // relative, or with "." / ".." components
    TooLong,
    NotProductName, // the folder is not named "OrvNet" (a drive root, the Windows folder, ...)
    NotFound,       // no such folder
    Link,           // the folder itself leads somewhere else
    NoMainProgram,  // OrvNet.exe is not in it
};

// commandTail: the whole command line after the program's name. It is
// trimmed of blanks; one pair of surrounding quotes and trailing backslashes
// are dropped. On None, folder holds the product folder without a trailing
// backslash; otherwise it holds as much of the trimmed text as fits, for the
// message.
FolderRefusal CheckProductFolder(const char* commandTail, char* folder, size_t capacity);

// The message for a refusal: RefusedText, the reason and, where it helps,
// the folder as it was given.
void RefusalMessage(FolderRefusal refusal, const char* folder, char* message, size_t capacity);

constexpr char ProductFolderName[] = "OrvNet";
constexpr char MainProgramName[] = "OrvNet.exe";
