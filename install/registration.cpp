#include "registration.h"

#include <cstring>
#include <new>

#include "common/path_join.h"
#include "common/product_version.h"
#include "install/install_state.h"
#include "install/remove_if_there.h"
#include "install/run_record.h"
#include "platform/pc/pc.h"
#include "platform/pc/self_registration.h"
#include "platform/registry/registry_write.h"
#include "platform/seam/seam_calls.h"
#include "platform/files/sm_raw_file.h"

namespace {
constexpr size_t kAutostartBufferSize = 300;
constexpr size_t kUninstallStringSize = 255;

// Copies source to target through the raw file objects, the whole file in
// one read and one write. True when every byte arrived; a copy cut short is
// removed again, so no half-written program is left behind.
bool CopyWholeFile(const char* source, const char* target) {
    SmRawFile* in = new SmRawFile(source);
    uint32_t size = in->Size();
    char* buffer = in->IsOpen() ? new (std::nothrow) char[size == 0 ? 1 : size] : nullptr;
    bool ok = buffer != nullptr && in->ReadAt(0, buffer, size) == size;
    in->Close();
    delete in;
    if (ok) {
        SmRawFile* out = new SmRawFile(target);
        ok = out->IsOpen() && out->WriteAt(0, buffer, size);
        ok = out->Close() && ok;
        delete out;
        if (!ok) RemoveKeepingTheError(target);
    }
    delete[] buffer;
    return ok;
}

// One value of the registration; a failed one goes into the run's record.
bool WriteValue(const char* key, const char* name, const char* text) {
    if (WriteRegistryText(HKEY_LOCAL_MACHINE, key, name, text)) return true;
    RecordFailedStep("No se pudo escribir el valor del registro", name, GetLastError());
    return false;
}
}  // namespace

bool RegisterServerAutostart(const char* productFolder) {
    char serverPath[kAutostartBufferSize];
    bool ok = JoinPath(serverPath, sizeof serverPath, productFolder, ServerProgram) &&
              WriteValue(RunKey, ServerValue, serverPath);
    return WriteUninstallEntry() && ok;
}

bool WriteUninstallEntry() {
    char source[InstallPathSize];
    char windows[InstallPathSize];
    char copy[InstallPathSize];
    char uninstallString[kUninstallStringSize];
    char displayIcon[InstallPathSize];
    ThePC->WindowsFolder260(windows, sizeof windows);
    if (!JoinPath(source, sizeof source, InstalledFolder, UninstallerName) ||
        !JoinPath(copy, sizeof copy, windows, UninstallerName) ||
        !JoinPath(displayIcon, sizeof displayIcon, InstalledFolder, "\\OrvNet.exe,0")) {
        return false;
    }
    if (!ThePC->Exists(source)) return true;
    // "<copy>" <product folder>: the uninstaller receives the folder unquoted.
    if (!JoinPath(uninstallString, sizeof uninstallString, "\"", copy, "\" ") ||
        !JoinPath(uninstallString, sizeof uninstallString, uninstallString, InstalledFolder)) {
        return false;
    }
    bool ok = RemoveIfThere(copy) && CopyWholeFile(source, copy);
    if (!ok) RecordFailedStep("No se pudo copiar el desinstalador", copy, GetLastError());

    ok = WriteValue(UninstallKey, "DisplayName", "Orv-Net 2.5") && ok;
    ok = WriteValue(UninstallKey, "UninstallString", uninstallString) && ok;
    ok = WriteValue(UninstallKey, "DisplayIcon", displayIcon) && ok;
    ok = WriteValue(UninstallKey, "Publisher", SM_PUBLISHER) && ok;
    ok = WriteValue(UninstallKey, "DisplayVersion", SM_PRODUCT_VERSION) && ok;
    return ok;
}

bool ClearForReplace(const char* path) {
    if (!ThePC->Exists(path)) return true;
    HANDLE held = CreateFileA(path, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (held == INVALID_HANDLE_VALUE) return false;
    CloseHandle(held);
    return RemoveIfThere(path);
}

int SelfRegisterComponent(const char* path) {
    return static_cast<int>(CallRegistrationEntry(path, "DllRegisterServer"));
}
