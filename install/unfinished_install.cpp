#include "unfinished_install.h"

#include "common/path_join.h"
#include "install/install_state.h"
#include "install/record_actions.h"
#include "install/remove_if_there.h"
#include "platform/pc/pc.h"

namespace {

constexpr char kNote[] =
    "La instalaci\xF3n de OrvNet no termin\xF3. Ejecute el instalador otra vez para completarla.\r\n";

bool MarkPath(char* path, size_t capacity, const char* productFolder) {
    return JoinPath(path, capacity, productFolder, "\\", UnfinishedInstallName);
}

}  // namespace

bool IsInstallUnfinished(const char* productFolder) {
    char path[InstallPathSize];
    return MarkPath(path, sizeof path, productFolder) && ThePC->Exists(path);
}

bool MarkInstallUnfinished(const char* productFolder) {
    char path[InstallPathSize];
    if (!MarkPath(path, sizeof path, productFolder)) return false;
    // An older mark is written anew, never over its own bytes.
    return InstallPlainFile(path, kNote, sizeof kNote - 1);
}

bool MarkInstallFinished(const char* productFolder) {
    char path[InstallPathSize];
    return MarkPath(path, sizeof path, productFolder) && RemoveIfThere(path);
}
