// PC's folder queries: shell special folders, system folders, the computer
// name. Each fills a work buffer of the size the system call is given, then
// copies it, cut to the caller's capacity.
#include "pc.h"

#include <shlobj.h>

#include "bounded_copy.h"
#include "folder_path.h"

namespace {

// A folder the shell cannot resolve to a file-system path (a virtual folder
// such as the printers or the network) yields an empty string.
char* ShellFolder(int csidl, char* buffer, size_t capacity) {
    char work[PathBufferSize] = {};
    LPITEMIDLIST items = nullptr;
    if (SUCCEEDED(SHGetSpecialFolderLocation(nullptr, csidl, &items)) && items != nullptr) {
        if (!SHGetPathFromIDListA(items, work) || !IsFileSystemPath(work)) work[0] = '\0';
        CoTaskMemFree(items);
    }
    StripFolderBackslash(work);
    return CopyBounded(buffer, capacity, work);
}

// call has the GetWindowsDirectoryA shape: it returns the length written, 0
// on failure, or the size needed when the buffer is too small.
template <size_t WorkSize, class Call>
char* SystemFolderQuery(Call call, bool keepBackslash, char* buffer, size_t capacity) {
    char work[WorkSize] = {};
    DWORD length = call(work, WorkSize);
    if (length == 0 || length >= WorkSize) work[0] = '\0';
    if (!keepBackslash) StripFolderBackslash(work);
    return CopyBounded(buffer, capacity, work);
}

DWORD WINAPI TempPath(LPSTR buffer, DWORD size) { return GetTempPathA(size, buffer); }
DWORD WINAPI CurrentPath(LPSTR buffer, DWORD size) { return GetCurrentDirectoryA(size, buffer); }

}  // namespace

char* PC::DesktopFolder(char* b, size_t c) { return ShellFolder(CSIDL_DESKTOP, b, c); }
char* PC::ProgramsFolder(char* b, size_t c) { return ShellFolder(CSIDL_PROGRAMS, b, c); }
char* PC::PrintersFolder(char* b, size_t c) { return ShellFolder(CSIDL_PRINTERS, b, c); }
char* PC::PersonalFolder(char* b, size_t c) { return ShellFolder(CSIDL_PERSONAL, b, c); }
char* PC::StartupFolder(char* b, size_t c) { return ShellFolder(CSIDL_STARTUP, b, c); }
char* PC::StartMenuFolder(char* b, size_t c) { return ShellFolder(CSIDL_STARTMENU, b, c); }
char* PC::NetworkFolder(char* b, size_t c) { return ShellFolder(CSIDL_NETWORK, b, c); }
char* PC::NetHoodFolder(char* b, size_t c) { return ShellFolder(CSIDL_NETHOOD, b, c); }
char* PC::CommonStartMenuFolder(char* b, size_t c) { return ShellFolder(CSIDL_COMMON_STARTMENU, b, c); }
char* PC::CommonProgramsFolder(char* b, size_t c) { return ShellFolder(CSIDL_COMMON_PROGRAMS, b, c); }
char* PC::CommonStartupFolder(char* b, size_t c) { return ShellFolder(CSIDL_COMMON_STARTUP, b, c); }
char* PC::CommonDesktopFolder(char* b, size_t c) { return ShellFolder(CSIDL_COMMON_DESKTOPDIRECTORY, b, c); }
char* PC::PrintHoodFolder(char* b, size_t c) { return ShellFolder(CSIDL_PRINTHOOD, b, c); }
char* PC::ProgramFilesFolder(char* b, size_t c) { return ShellFolder(CSIDL_PROGRAM_FILES, b, c); }
char* PC::CommonDocumentsFolder(char* b, size_t c) { return ShellFolder(CSIDL_COMMON_DOCUMENTS, b, c); }

char* PC::WindowsFolder(char* b, size_t c) {
    return SystemFolderQuery<PathBufferSize>(GetWindowsDirectoryA, false, b, c);
}
char* PC::WindowsFolder260(char* b, size_t c) {
    return SystemFolderQuery<ShortPathBufferSize>(GetWindowsDirectoryA, false, b, c);
}
char* PC::SystemFolder(char* b, size_t c) {
    return SystemFolderQuery<PathBufferSize>(GetSystemDirectoryA, false, b, c);
}
char* PC::SystemFolder260(char* b, size_t c) {
    return SystemFolderQuery<ShortPathBufferSize>(GetSystemDirectoryA, false, b, c);
}
char* PC::TempFolder(char* b, size_t c) { return SystemFolderQuery<PathBufferSize>(TempPath, true, b, c); }
char* PC::TempFolder260(char* b, size_t c) {
    return SystemFolderQuery<ShortPathBufferSize>(TempPath, true, b, c);
}
char* PC::CurrentFolder(char* b, size_t c) {
    return SystemFolderQuery<PathBufferSize>(CurrentPath, false, b, c);
}
char* PC::CurrentFolder260(char* b, size_t c) {
    return SystemFolderQuery<ShortPathBufferSize>(CurrentPath, false, b, c);
}

char* PC::ComputerName(char* buffer, size_t capacity) {
    char work[PathBufferSize] = {};
    DWORD length = sizeof work;
    if (!GetComputerNameA(work, &length)) work[0] = '\0';
    return CopyBounded(buffer, capacity, work);
}
