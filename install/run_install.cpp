#include "run_install.h"

#include <windows.h>

#include <cstring>
#include <new>

#include "common/path_join.h"
#include "install/install_state.h"
#include "install/payload.h"
#include "install/record_actions.h"
#include "install/registration.h"
#include "install/run_record.h"
#include "install/smx_reader.h"
#include "install/unfinished_install.h"
#include "platform/pc/folder_path.h"
#include "platform/pc/pc.h"
#include "platform/pc/pump.h"
#include "platform/seam/seam_calls.h"
#include "platform/files/sm_file.h"

namespace {

constexpr uint32_t kConfigTableSize = 56;

struct RunPaths {
    char system[InstallPathSize];
    char temp[InstallPathSize];
    char cabinet[InstallPathSize];
    char archive[InstallPathSize];
};

// A folder query that failed gives "": every folder must be a full path,
// the temporary folder checked before its backslash goes (a drive root
// "C:\" becomes "C:").
bool BuildRunPaths(RunPaths& paths) {
    ThePC->SystemFolder(paths.system, sizeof paths.system);
    ThePC->TempFolder(paths.temp, sizeof paths.temp);
    if (!IsFileSystemPath(paths.system) || !IsFileSystemPath(paths.temp) || !IsFileSystemPath(InstallBase)) {
        return false;
    }
    size_t length = std::strlen(paths.temp);
    if (length > 0 && paths.temp[length - 1] == '\\') paths.temp[length - 1] = '\0';
    return JoinPath(paths.cabinet, sizeof paths.cabinet, paths.temp, "\\OrvNet.cab") &&
           JoinPath(paths.archive, sizeof paths.archive, paths.temp, "\\OrvNet.smx");
}

// False when the file cannot be opened.
bool FileLength(const char* path, uint32_t& length) {
    SmFile file(path);
    length = file.IsOpen() ? file.Size() : 0;
    return file.IsOpen();
}

// Payload → cabinet file → package archive. False when no usable archive
// came out; nothing has been written below the product folder then. The
// payload's blocks are checked before it is written; the archive must then
// have the length the cabinet records, since a decompressor may also stop
// short and still report success.
bool MakeArchive(const RunPaths& paths) {
    PayloadCabinet cabinet;
    if (!UnpackPayload(paths.cabinet, cabinet)) return false;
    ThePC->Decompress(paths.cabinet, paths.archive);
    if (!ThePC->Exists(paths.archive)) {
        RecordFailedStep("La descompresión no produjo el paquete", paths.archive, 0);
        return false;
    }
    uint32_t length = 0;
    if (!FileLength(paths.archive, length)) {
        RecordFailedStep("No se pudo abrir el paquete", paths.archive, GetLastError());
        SeamRemoveFile(paths.archive);
        return false;
    }
    if (length != cabinet.fileLength) {
        RecordFailedStep("El paquete descomprimido no tiene la longitud registrada", paths.archive, 0);
        SeamRemoveFile(paths.archive);
        return false;
    }
    return true;
}

// The root's name becomes one folder below the install base.
bool IsSingleComponent(const char* name) { return IsContainedName(name) && std::strchr(name, '\\') == nullptr; }

struct Walk {
    const char* folder;   // product folder F
    const char* system;   // system folder S
    const char* program;  // F\<root>.exe, the product's main program
    bool complete = true;
    int fileCount = 0;
};

void HandleFileRecord(Walk& walk, SmxReader& reader, const SmxRecord& record) {
    const SmxHeader& header = record.header;
    char path[InstallPathSize];
    const char* base = header.keepOnUpdate == 0 && header.toSystemFolder != 0 ? walk.system : walk.folder;
    if (!IsContainedName(header.name) || !JoinPath(path, sizeof path, base, "\\", header.name)) {
        RecordFailedStep("Nombre no admitido en el paquete", header.name, 0);
        walk.complete = false;
        return;
    }
    char* content = new (std::nothrow) char[header.size == 0 ? 1 : header.size];
    if (content == nullptr || !reader.ReadContent(record, content)) {
        RecordFailedStep(content == nullptr ? "Sin memoria para el archivo" : "El paquete termina antes que el archivo",
                         path, content == nullptr ? ERROR_NOT_ENOUGH_MEMORY : 0);
        delete[] content;
        walk.complete = false;
        return;
    }
    bool ok = true;
    if (header.keepOnUpdate != 0) {
        ok = MergeKeptFile(path, content, header.size, IsUpdate);
    } else if (header.toSystemFolder != 0) {
        ok = InstallSystemComponent(path, header.name, content, header.size, IsUpdate) != ComponentOutcome::Failed;
    } else if (_stricmp(path, walk.program) == 0) {
        // Never absent, not even for a moment: a run killed between removing
        // it and writing it again would leave a machine that the next run
        // takes for a fresh one, and a fresh installation lays the kept
        // tables anew.
        ok = ReplaceFileWhole(path, content, header.size);
    } else {
        ok = InstallPlainFile(path, content, header.size);
    }
    DWORD error = ok ? 0 : GetLastError();
    delete[] content;
    if (!ok) {
        RecordFailedStep("No se pudo escribir el archivo", path, error);
        walk.complete = false;
    }
}

// Lays every record after the root on disk. False when any record could not
// be written as it should; the walk still goes on with the others.
bool ExtractRecords(SmxReader& reader, const char* folder, const char* system, const char* program,
                    ProgressSink& progress) {
    Walk walk{folder, system, program};
    SmxRecord record;
    for (;;) {
        PumpMessages();
        if (!reader.Next(record)) break;
        // The end of the archive cut this header short: whatever it held
        // (a folder, a file, even its name) is lost, so the archive is damaged.
        if (!record.headerComplete) {
            RecordFailedStep("El paquete termina dentro de la cabecera de un registro", nullptr, 0);
            walk.complete = false;
            continue;
        }
        if (record.type == SmxRecordType::Filler) continue;
        if (record.type == SmxRecordType::Directory) {
            char path[InstallPathSize];
            if (!IsContainedName(record.header.name) || !JoinPath(path, sizeof path, folder, "\\", record.header.name)) {
                RecordFailedStep("Nombre no admitido en el paquete", record.header.name, 0);
                walk.complete = false;
            } else if (!MakeProductFolder(path)) {
                RecordFailedStep("No se pudo crear la carpeta", path, GetLastError());
                walk.complete = false;
            }
            continue;
        }
        HandleFileRecord(walk, reader, record);
        progress.SetPosition(++walk.fileCount);
    }
    return walk.complete;
}

// After a fresh installation: the server question, registration, the
// configuration table and the desktop shortcut. Only Yes registers. A box
// that ended without an answer (the screen closed under it ends its loop)
// leaves the installation unfinished, so that the next run asks again.
bool CompleteFreshInstall(const char* folder, const char* rootName) {
    bool ok = true;
    int answer = MessageBoxA(nullptr, ServerQuestionText, MessageCaption, MB_YESNO | MB_ICONQUESTION);
    if (answer != IDYES && answer != IDNO) {
        RecordFailedStep("La pregunta sobre OrvServer se cerró sin respuesta", nullptr, 0);
        return false;
    }
    // A failed value or copy is in the record, named by the registration.
    if (answer == IDYES) ok = RegisterServerAutostart(folder) && ok;

    char data[InstallPathSize];
    char table[InstallPathSize];
    if (!JoinPath(data, sizeof data, folder, "\\Data") || !JoinPath(table, sizeof table, data, "\\ConfigL.tbl")) {
        return false;
    }
    if (!ThePC->Exists(table)) {
        // A product without a Data folder still gets its table.
        SeamMakeFolderTree(data);
        static const char kEmptyTable[kConfigTableSize] = {};
        if (!WriteNewFile(table, kEmptyTable, kConfigTableSize)) {
            RecordFailedStep("No se pudo escribir el archivo", table, GetLastError());
            ok = false;
        }
    }

    char target[InstallPathSize];
    char desktop[InstallPathSize];
    char link[InstallPathSize];
    ThePC->CommonDesktopFolder(desktop, sizeof desktop);
    if (!IsFileSystemPath(desktop) || !JoinPath(target, sizeof target, folder, "\\", rootName) ||
        !JoinPath(target, sizeof target, target, ".exe") ||
        !JoinPath(link, sizeof link, desktop, "\\", rootName) || !JoinPath(link, sizeof link, link, ".lnk")) {
        return false;
    }
    if (ThePC->Exists(link)) SeamRemoveFile(link);
    HRESULT made = SeamCreateShortcut(target, link, "");
    if (FAILED(made)) {
        DWORD error = HRESULT_FACILITY(made) == FACILITY_WIN32 ? HRESULT_CODE(made) : static_cast<DWORD>(made);
        RecordFailedStep("No se pudo crear el acceso directo", link, error);
        ok = false;
    }
    return ok;
}

enum class WalkOutcome {
    Stopped,     // unusable archive or refused update: nothing written below F
    Incomplete,  // walked, but some record could not be written
    Complete,
};

// From the archive's root on. `archive` is open; the caller closes it.
WalkOutcome InstallFromArchive(SmFile& archive, const RunPaths& paths, ProgressSink& progress, StatusSink& status,
                               char* rootName) {
    SmxReader reader(archive);
    const SmxHeader& root = reader.Root();
    if (!reader.RootComplete()) {
        RecordFailedStep("No se pudo leer el paquete, o está cortado", paths.archive, GetLastError());
        return WalkOutcome::Stopped;
    }
    if (!IsSingleComponent(root.name) ||
        !JoinPath(InstalledFolder, sizeof InstalledFolder, InstallBase, root.name)) {
        RecordFailedStep("El nombre de la raíz del paquete no se admite", root.name, 0);
        return WalkOutcome::Stopped;
    }
    std::strcpy(rootName, root.name);  // both are name-field sized
    const char* folder = InstalledFolder;

    progress.SetMaximum(static_cast<int>(root.size));
    progress.SetMinimum(0);
    progress.SetPosition(0);

    char program[InstallPathSize];
    if (!JoinPath(program, sizeof program, folder, "\\", root.name) ||
        !JoinPath(program, sizeof program, program, ".exe")) {
        return WalkOutcome::Stopped;
    }
    if (ThePC->Exists(folder)) {
        char marker[InstallPathSize];
        if (!JoinPath(marker, sizeof marker, folder, "\\Marcas\\BRIVANT")) return WalkOutcome::Stopped;
        // Beside the mark of an unfinished fresh installation the program is
        // that installation's own first file: it is finished as fresh.
        if (ThePC->Exists(program) && !IsInstallUnfinished(folder)) {
            status.SetText(StatusUpdating);
            IsUpdate = true;
            if (!ThePC->Exists(marker)) {
                RecordFailedStep(IncompatibleUpdateText, marker, ERROR_FILE_NOT_FOUND);
                MessageBoxA(nullptr, IncompatibleUpdateText, MessageCaption, MB_OK);
                return WalkOutcome::Stopped;
            }
        }
    } else if (!MakeProductFolder(folder)) {
        RecordFailedStep("No se pudo crear la carpeta", folder, GetLastError());
        return WalkOutcome::Stopped;
    }
    if (!IsUpdate && !MarkInstallUnfinished(folder)) {
        RecordFailedStep("No se pudo marcar la instalación como sin terminar", folder, GetLastError());
        return WalkOutcome::Stopped;
    }
    return ExtractRecords(reader, folder, paths.system, program, progress) ? WalkOutcome::Complete
                                                                          : WalkOutcome::Incomplete;
}

bool RunInstallFrom(const RunPaths& paths, ProgressSink& progress, StatusSink& status) {
    if (ThePC->Exists(paths.archive)) SeamRemoveFile(paths.archive);
    progress.SetMinimum(0);
    progress.SetPosition(0);

    if (!MakeArchive(paths)) return false;
    status.SetText(StatusInstalling);
    PumpMessages();

    SmFile* archive = new SmFile(paths.archive);
    char rootName[SmxNameField + 1] = {};
    if (!archive->IsOpen()) RecordFailedStep("No se pudo abrir el paquete", paths.archive, GetLastError());
    WalkOutcome walked = archive->IsOpen() ? InstallFromArchive(*archive, paths, progress, status, rootName)
                                           : WalkOutcome::Stopped;
    archive->Close();
    delete archive;

    // A fresh installation is completed (question, registration, table,
    // shortcut) only once every file is laid; until it is, its mark stays and
    // the next run finishes it as a fresh installation. The 383 MB archive
    // never stays behind.
    bool ok = walked == WalkOutcome::Complete;
    if (ok && !IsUpdate) {
        ok = CompleteFreshInstall(InstalledFolder, rootName);
        if (ok && !MarkInstallFinished(InstalledFolder)) {
            RecordFailedStep("No se pudo quitar la marca de instalación sin terminar", InstalledFolder, GetLastError());
            ok = false;
        }
    }
    SeamRemoveFile(paths.archive);
    return ok;
}

}  // namespace

// Without a temporary folder there is nowhere to keep a record. A run is a
// fresh installation, into a folder not yet known, until the archive's
// root and the product folder tell otherwise.
bool RunInstall(ProgressSink& progress, StatusSink& status) {
    RunPaths paths;
    if (!BuildRunPaths(paths)) return false;
    StartRunRecord();
    InstalledFolder[0] = '\0';
    IsUpdate = false;
    bool ok = RunInstallFrom(paths, progress, status);
    if (ok) {
        RemoveRunRecord(paths.temp);
    } else {
        WriteRunRecord(paths.temp, IsUpdate, InstalledFolder, FailedText);
    }
    return ok;
}
