#pragma once
// The process's platform services: known folders, file system and shell
// operations, cabinet decompression, component registration. No state: one
// instance lives for the whole run (see ThePC), reached through a
// process-wide pointer.
//
// Every folder query fills the caller's buffer with a NUL-terminated ANSI
// path and returns that buffer. Results are cut to fit `capacity` bytes
// (always terminated). Folders carry no trailing backslash, except the
// temporary folder, which ends with one as the system reports it.
#include <windows.h>

#include <cstddef>

constexpr size_t PathBufferSize = 512;
constexpr size_t ShortPathBufferSize = 260;

class PC {
public:
    PC() = default;
    virtual ~PC() = default;
    PC(const PC&) = delete;
    PC& operator=(const PC&) = delete;

    // Shell special folders.
    char* DesktopFolder(char* buffer, size_t capacity = PathBufferSize);
    char* ProgramsFolder(char* buffer, size_t capacity = PathBufferSize);
    char* PrintersFolder(char* buffer, size_t capacity = PathBufferSize);
    char* PersonalFolder(char* buffer, size_t capacity = PathBufferSize);
    char* StartupFolder(char* buffer, size_t capacity = PathBufferSize);
    char* StartMenuFolder(char* buffer, size_t capacity = PathBufferSize);
    char* NetworkFolder(char* buffer, size_t capacity = PathBufferSize);
    char* NetHoodFolder(char* buffer, size_t capacity = PathBufferSize);
    char* CommonStartMenuFolder(char* buffer, size_t capacity = PathBufferSize);
    char* CommonProgramsFolder(char* buffer, size_t capacity = PathBufferSize);
    char* CommonStartupFolder(char* buffer, size_t capacity = PathBufferSize);
    char* CommonDesktopFolder(char* buffer, size_t capacity = PathBufferSize);
    char* PrintHoodFolder(char* buffer, size_t capacity = PathBufferSize);
    char* ProgramFilesFolder(char* buffer, size_t capacity = PathBufferSize);
    char* CommonDocumentsFolder(char* buffer, size_t capacity = PathBufferSize);

    // System folders and names.
    char* WindowsFolder(char* buffer, size_t capacity = PathBufferSize);
    char* WindowsFolder260(char* buffer, size_t capacity = ShortPathBufferSize);
    char* SystemFolder(char* buffer, size_t capacity = PathBufferSize);
    char* SystemFolder260(char* buffer, size_t capacity = ShortPathBufferSize);
    char* TempFolder(char* buffer, size_t capacity = PathBufferSize);
    char* TempFolder260(char* buffer, size_t capacity = ShortPathBufferSize);
    char* CurrentFolder(char* buffer, size_t capacity = PathBufferSize);
    char* CurrentFolder260(char* buffer, size_t capacity = ShortPathBufferSize);
    char* ComputerName(char* buffer, size_t capacity = PathBufferSize);

    // File system and shell operations.
    bool Exists(const char* path);
    bool RemoveFile(const char* path);
    bool RemoveFolder(const char* path);
    bool MakeFolderTree(const char* path);
    HRESULT CreateShortcut(const char* target, const char* link, const char* arguments);
    DWORD Decompress(const char* source, const char* target);
    int RegisterComponent(const char* path);
    int UnregisterComponent(const char* path);
};

// The one instance, created first at start-up and deleted last.
extern PC* ThePC;
