// PC's folder queries: shell special folders, system folders, the computer
// name. Each fills a work buffer of the size the system call is given, then
// copies it, cut to the caller's capacity. Folders are asked for in UTF-16
// and brought to ANSI by ToAnsiPath, so a folder the code page cannot name
// comes in its short form, never with '?' or best-fit letters in it.
#include "platform/pc/pc.h"

#include <shlobj.h>

#include "platform/pc/ansi_path.h"
#include "common/bounded_copy.h"
#include "platform/pc/folder_path.h"
#include "platform/pc/library_search.h"

namespace {

typedef HRESULT(WINAPI* SpecialFolderLocationCall)(HWND, int, LPITEMIDLIST*);
typedef BOOL(WINAPI* PathFromIdListCall)(LPCITEMIDLIST, LPWSTR);

// The shell library is not imported (see library_search.h): taken from the
// system folder when a shell folder is first asked for.
struct ShellCalls {
    SpecialFolderLocationCall location = nullptr;
    PathFromIdListCall path = nullptr;
};

const ShellCalls& Shell() {
    static ShellCalls calls;
    static bool loaded = false;
    if (!loaded) {
        loaded = true;
        if (HMODULE shell = LoadSystemLibrary("shell32.dll")) {
            calls.location = reinterpret_cast<SpecialFolderLocationCall>(
                reinterpret_cast<void*>(GetProcAddress(shell, "SHGetSpecialFolderLocation")));
            calls.path = reinterpret_cast<PathFromIdListCall>(
                reinterpret_cast<void*>(GetProcAddress(shell, "SHGetPathFromIDListW")));
        }
    }
    return calls;
}

// A folder the shell cannot resolve to a file-system path (a virtual folder
// such as the printers or the network) yields an empty string.
char* ShellFolder(int csidl, char* buffer, size_t capacity) {
    char work[PathBufferSize] = {};
    const ShellCalls& shell = Shell();
    LPITEMIDLIST items = nullptr;
    if (shell.location != nullptr && shell.path != nullptr &&
        SUCCEEDED(shell.location(nullptr, csidl, &items)) && items != nullptr) {
        wchar_t wide[MAX_PATH] = {};
        if (!shell.path(items, wide) || !ToAnsiPath(wide, work, sizeof work) || !IsFileSystemPath(work)) {
            work[0] = '\0';
        }
        CoTaskMemFree(items);
    }
    StripFolderBackslash(work);
    return CopyBounded(buffer, capacity, work);
}

// Longer than any path an ANSI buffer here can take, short form included.
constexpr DWORD kWideCapacity = 2 * PathBufferSize;

// call has the GetWindowsDirectoryW shape: it returns the length written, 0
// on failure, or the size needed when the buffer is too small. WorkSize
// bounds the ANSI result, as the system's ANSI call would.
template <size_t WorkSize, class Call>
void QueryFolder(Call call, char (&work)[WorkSize]) {
    wchar_t wide[kWideCapacity] = {};
    DWORD length = call(wide, kWideCapacity);
    if (length == 0 || length >= kWideCapacity || !ToAnsiPath(wide, work, WorkSize)) work[0] = '\0';
}

template <size_t WorkSize, class Call>
char* SystemFolderQuery(Call call, bool keepBackslash, char* buffer, size_t capacity) {
    char work[WorkSize] = {};
    QueryFolder(call, work);
    if (!keepBackslash) StripFolderBackslash(work);
    return CopyBounded(buffer, capacity, work);
}

DWORD WINAPI WindowsPath(LPWSTR buffer, DWORD size) { return GetWindowsDirectoryW(buffer, size); }
DWORD WINAPI SystemPath(LPWSTR buffer, DWORD size) { return GetSystemDirectoryW(buffer, size); }
DWORD WINAPI CurrentPath(LPWSTR buffer, DWORD size) { return GetCurrentDirectoryW(size, buffer); }

DWORD WINAPI TempPath(LPWSTR buffer, DWORD size) { return GetTempPathW(size, buffer); }

// The Windows folder's "Temp", with a trailing backslash as the system gives
// the temporary folder.
DWORD WINAPI WindowsTempPath(LPWSTR buffer, DWORD size) {
    DWORD length = GetWindowsDirectoryW(buffer, size);
    if (length == 0 || length + 6 >= size) return 0;
    if (buffer[length - 1] != L'\\') buffer[length++] = L'\\';
    lstrcpyW(buffer + length, L"Temp\\");
    return length + 5;
}

// The user's temporary folder or, when even its short form has no ANSI name
// (short names switched off on the volume), the Windows folder's "Temp",
// which the installer's administrator rights let it write to.
template <size_t WorkSize>
char* TempFolderQuery(char* buffer, size_t capacity) {
    char work[WorkSize] = {};
    QueryFolder(TempPath, work);
    if (work[0] == '\0') QueryFolder(WindowsTempPath, work);
    return CopyBounded(buffer, capacity, work);
}

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
    return SystemFolderQuery<PathBufferSize>(WindowsPath, false, b, c);
}
char* PC::WindowsFolder260(char* b, size_t c) {
    return SystemFolderQuery<ShortPathBufferSize>(WindowsPath, false, b, c);
}
char* PC::SystemFolder(char* b, size_t c) {
    return SystemFolderQuery<PathBufferSize>(SystemPath, false, b, c);
}
char* PC::SystemFolder260(char* b, size_t c) {
    return SystemFolderQuery<ShortPathBufferSize>(SystemPath, false, b, c);
}
char* PC::TempFolder(char* b, size_t c) { return TempFolderQuery<PathBufferSize>(b, c); }
char* PC::TempFolder260(char* b, size_t c) { return TempFolderQuery<ShortPathBufferSize>(b, c); }
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
