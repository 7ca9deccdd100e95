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
    // Removes an empty folder.
    bool RemoveFolder(const char* path);
    // Creates the folder and every missing parent (attributes taken from the
    // Windows folder). True when the folder itself was created: false when it
    // already existed, for paths of 4 characters or fewer with the final
    // backslash ("C:\") and for paths that do not fit in 259 characters.
    bool MakeFolderTree(const char* path);
    // Writes a shell link to target with description "Velmarisco" and the
    // target's folder as working folder. Null arguments are left unset; an
    // empty text is set. Returns the result of the last COM step reached.
    HRESULT CreateShortcut(const char* target, const char* link, const char* arguments);
    // Expands the single file of an MSZIP cabinet into target (an existing
    // target is replaced) through the system's setup library. 0 on success,
    // otherwise a system error code. Even 0 is not proof: some decompressors
    // accept damaged cabinets, so callers check the target.
    DWORD Decompress(const char* source, const char* target);
    // Loads the library and calls its DllRegisterServer (DllUnregisterServer).
    // Always 1: nothing tells whether the library could be used.
    int RegisterComponent(const char* path);
    int UnregisterComponent(const char* path);
};

// The one instance, created first at start-up and deleted last.
extern PC* ThePC;
