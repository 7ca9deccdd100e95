#include "payload.h"

#include <windows.h>

#include "install/run_record.h"
#include "platform/files/sm_file.h"

namespace {
// What the record says of each way the check can fail.
const char* FaultText(PayloadFault fault) {
    switch (fault) {
        case PayloadFault::NotCabinet: return "no es un cabinet o está cortado";
        case PayloadFault::NotSupported: return "no es un cabinet de los nuestros";
        case PayloadFault::BadEntries: return "sus entradas no concuerdan";
        case PayloadFault::BadBlock: return "un bloque de datos está cortado o mal formado";
        case PayloadFault::BadChecksum: return "un bloque de datos no pasa su suma de control";
        case PayloadFault::LengthMismatch: return "los bloques no suman la longitud registrada";
        case PayloadFault::None: break;
    }
    return "";
}
}  // namespace

bool UnpackPayload(const char* cabinetPath, PayloadCabinet& cabinet) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(PayloadResourceId), RT_RCDATA);
    if (resource == nullptr) {
        RecordFailedStep("El instalador no lleva su contenido (recurso 9001)", nullptr, GetLastError());
        return false;
    }
    DWORD size = SizeofResource(module, resource);
    HGLOBAL loaded = LoadResource(module, resource);
    const uint8_t* bytes = loaded != nullptr ? static_cast<const uint8_t*>(LockResource(loaded)) : nullptr;
    if (bytes == nullptr) {
        RecordFailedStep("No se pudo cargar el contenido del instalador", nullptr, GetLastError());
        return false;
    }
    PayloadFault fault = CheckPayloadCabinet(bytes, size, cabinet);
    if (fault != PayloadFault::None) RecordFailedStep("El contenido del instalador está dañado", FaultText(fault), 0);
    bool written = fault == PayloadFault::None;
    if (written) {
        // Written straight from the loaded resource: a heap copy of the 25 MB
        // cabinet would only double the memory the run needs at this moment.
        SmFile* file = new SmFile(cabinetPath);
        written = file->IsOpen() && file->WriteAt(0, bytes, size);
        written = file->Close() && written;
        delete file;
        if (!written) RecordFailedStep("No se pudo escribir el contenido", cabinetPath, GetLastError());
    }
    FreeResource(loaded);
    return written;
}
