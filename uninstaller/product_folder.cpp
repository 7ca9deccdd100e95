#include "product_folder.h"

#include <windows.h>

#include <cstring>

#include "common/bounded_copy.h"
#include "common/path_join.h"
#include "platform/pc/pc.h"
#include "uninstall_texts.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// "X:\..." or "\\server\share\...".
bool IsFullPath(const char* path) {
    bool drive = ((path[0] | 0x20) >= 'a' && (path[0] | 0x20) <= 'z') && path[1] == ':' && path[2] == '\\';
    bool network = path[0] == '\\' && path[1] == '\\' && path[2] != '\0' && path[2] != '\\';
    return drive || network;
}

// A "." or ".." component would name another folder than the text shows.
bool HasDotComponent(const char* path) {
    for (const char* part = path; part != nullptr; part = std::strchr(part, '\\')) {
        if (*part == '\\') ++part;
        if (part[0] == '.' && (part[1] == '\\' || part[1] == '\0')) return true;
        if (part[0] == '.' && part[1] == '.' && (part[2] == '\\' || part[2] == '\0')) return true;
    }
    return false;
}

const char* LastComponent(const char* path) {
    const char* slash = std::strrchr(path, '\\');
    return slash == nullptr ? path : slash + 1;
}

}  // namespace

FolderRefusal CheckProductFolder(const char* commandTail, char* folder, size_t capacity) {
    const char* start = commandTail == nullptr ? "" : commandTail;
    while (IsBlank(*start)) ++start;
    size_t length = std::strlen(start);
    while (length > 0 && IsBlank(start[length - 1])) --length;
    if (length >= 2 && start[0] == '"' && start[length - 1] == '"') {
        ++start;
        length -= 2;
    }
    bool fits = length < capacity;
    CopyBounded(folder, fits ? length + 1 : capacity, start);
    if (!fits) return FolderRefusal::TooLong;
    for (char* c = folder; *c != '\0'; ++c) {
        if (*c == '/') *c = '\\';
    }
    // A drive root keeps its backslash: "C:" alone names a current folder.
    while (length > 0 && folder[length - 1] == '\\' && !(length == 3 && folder[1] == ':')) folder[--length] = '\0';

    if (length == 0) return FolderRefusal::Missing;
    if (!IsFullPath(folder) || HasDotComponent(folder)) return FolderRefusal::NotFullPath;
    if (lstrcmpiA(LastComponent(folder), ProductFolderName) != 0) return FolderRefusal::NotProductName;

    DWORD attributes = GetFileAttributesA(folder);
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return FolderRefusal::NotFound;
    }
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return FolderRefusal::Link;

    char mainProgram[PathBufferSize];
    if (!JoinPath(mainProgram, sizeof mainProgram, folder, "\\", MainProgramName)) return FolderRefusal::TooLong;
    DWORD programAttributes = GetFileAttributesA(mainProgram);
    if (programAttributes == INVALID_FILE_ATTRIBUTES || (programAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return FolderRefusal::NoMainProgram;
    }
    return FolderRefusal::None;
}

void RefusalMessage(FolderRefusal refusal, const char* folder, char* message, size_t capacity) {
    struct Reason {
        FolderRefusal refusal;
        const char* text;
        bool namesFolder;
    };
    static const Reason kReasons[] = {
        {FolderRefusal::Missing, "falta la carpeta de OrvNet en la línea de comandos.", false},
        {FolderRefusal::NotFullPath, "no es una ruta completa: ", true},
        {FolderRefusal::TooLong, "la ruta de la carpeta es demasiado larga.", false},
        {FolderRefusal::NotProductName, "no es una carpeta de OrvNet: ", true},
        {FolderRefusal::NotFound, "la carpeta no existe: ", true},
        {FolderRefusal::Link, "la carpeta es un enlace a otro lugar: ", true},
        {FolderRefusal::NoMainProgram, "la carpeta no contiene OrvNet.exe: ", true},
    };
    CopyBounded(message, capacity, RefusedText);
    for (const Reason& reason : kReasons) {
        if (reason.refusal != refusal) continue;
        AppendBounded(message, capacity, reason.text);
        if (reason.namesFolder) AppendBounded(message, capacity, folder);
    }
}
