#include "record_actions.h"

#include <windows.h>

#include <new>

#include "common/path_join.h"
#include "install/install_state.h"
#include "install/registration.h"
#include "install/remove_if_there.h"
#include "platform/pc/pc.h"
#include "platform/seam/seam_calls.h"
#include "platform/files/sm_file.h"

namespace {
constexpr char kStagedSuffix[] = ".orvnew";

// Reads the whole file at path into a new buffer (caller frees it).
// False when it cannot be opened or read in full.
bool ReadWholeFile(const char* path, char*& bytes, uint32_t& length) {
    bytes = nullptr;
    length = 0;
    SmFile* file = new SmFile(path);
    bool ok = file->IsOpen();
    if (ok) {
        length = file->Size();
        bytes = new (std::nothrow) char[length == 0 ? 1 : length];
        ok = bytes != nullptr && file->ReadAt(0, bytes, length) == length;
    }
    file->Close();
    delete file;
    if (!ok) {
        delete[] bytes;
        bytes = nullptr;
    }
    return ok;
}

// Writes content (then `previous` over its start, when given) beside path
// and moves the result over path only once it is complete: at every moment
// path holds either its old bytes or the new ones.
bool WriteStagedThenReplace(const char* path, const void* content, uint32_t size, const char* previous,
                            uint32_t previousLength) {
    char staged[InstallPathSize];
    // A staging file left by an interrupted run goes first.
    bool ok = JoinPath(staged, sizeof staged, path, kStagedSuffix) && RemoveIfThere(staged);
    if (!ok) return false;
    SmFile* file = new SmFile(staged);
    ok = file->IsOpen() && file->WriteAt(0, content, size);
    // Not truncated between the two writes: the previous bytes lie over the
    // start of the packaged ones.
    if (ok && previous != nullptr) ok = file->WriteAt(0, previous, previousLength);
    ok = file->Close() && ok;
    delete file;
    ok = ok && SeamReplaceFile(staged, path);
    if (!ok) RemoveKeepingTheError(staged);
    return ok;
}
}  // namespace

namespace {
// Writes content into an open file object at offset 0 in one call and
// closes it; a file left incomplete is removed.
bool WriteAndClose(SmFile* file, const char* path, const void* content, uint32_t size) {
    bool ok = file->IsOpen() && file->WriteAt(0, content, size);
    ok = file->Close() && ok;
    delete file;
    if (!ok) RemoveKeepingTheError(path);
    return ok;
}
}  // namespace

bool WriteNewFile(const char* path, const void* content, uint32_t size) {
    return WriteAndClose(new SmFile(path), path, content, size);
}

bool MakeProductFolder(const char* path) {
    bool made = SeamMakeFolderTree(path);
    DWORD error = GetLastError();
    DWORD attributes = GetFileAttributesA(path);
    bool folder = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    // Why the folder could not be made, not that it is not there.
    if (!folder && !made) SetLastError(error);
    return folder;
}

// Most files of a run are new. Creating a file that must not exist yet
// looks its name up once; asking first whether it is there would look it up
// twice, and under Wine each lookup of a missing name reads its whole
// folder. A file that is there is removed first, as always.
bool InstallPlainFile(const char* path, const void* content, uint32_t size) {
    SmFile* file = new SmFile();
    if (file->Create(path)) return WriteAndClose(file, path, content, size);
    delete file;
    DWORD error = GetLastError();
    if (!ThePC->Exists(path)) {
        SetLastError(error);  // why it could not be made, not that it is missing
        return false;
    }
    return RemoveIfThere(path) && WriteNewFile(path, content, size);
}

bool MergeKeptFile(const char* path, const void* content, uint32_t size, bool isUpdate) {
    char* previous = nullptr;
    uint32_t previousLength = 0;
    bool keepPrevious = isUpdate && ThePC->Exists(path);
    if (keepPrevious && !ReadWholeFile(path, previous, previousLength)) return false;
    bool ok = WriteStagedThenReplace(path, content, size, previous, previousLength);
    delete[] previous;
    return ok;
}

bool ReplaceFileWhole(const char* path, const void* content, uint32_t size) {
    return WriteStagedThenReplace(path, content, size, nullptr, 0);
}

ComponentOutcome InstallSystemComponent(const char* path, const char* name, const void* content, uint32_t size,
                                        bool isUpdate) {
    if (isUpdate && !(name[0] == 'S' && name[1] == 'm')) return ComponentOutcome::Skipped;
    if (!ClearForReplace(path)) return ComponentOutcome::Skipped;
    if (!WriteNewFile(path, content, size)) return ComponentOutcome::Failed;
    SelfRegisterComponent(path);
    return ComponentOutcome::Installed;
}
