#include "run_record.h"

#include <cstdio>
#include <cstring>

#include "common/path_join.h"
#include "common/product_version.h"
#include "install/install_state.h"

namespace {
constexpr int kMaxSteps = 40;
constexpr size_t kLineSize = 1024;

char steps[kMaxSteps][kLineSize];
int stepCount = 0;
int stepsLeftOut = 0;

// The system's text for `error`, on one line.
void ErrorText(DWORD error, char* text, size_t size) {
    char message[512] = {};
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                                  message, sizeof message, nullptr);
    while (length > 0 && (message[length - 1] == '\r' || message[length - 1] == '\n' || message[length - 1] == ' ' ||
                          message[length - 1] == '.')) {
        message[--length] = '\0';
    }
    for (DWORD i = 0; i < length; ++i) {
        if (message[i] == '\r' || message[i] == '\n') message[i] = ' ';
    }
    if (length == 0) {
        std::snprintf(text, size, "error %lu", static_cast<unsigned long>(error));
    } else {
        std::snprintf(text, size, "error %lu: %s", static_cast<unsigned long>(error), message);
    }
}

bool WriteAll(HANDLE file, const char* text) {
    DWORD written = 0;
    DWORD length = static_cast<DWORD>(std::strlen(text));
    return WriteFile(file, text, length, &written, nullptr) && written == length;
}

bool RecordPath(const char* tempFolder, char* path, size_t size) {
    return JoinPath(path, size, tempFolder, "\\", RunRecordName);
}
}  // namespace

void StartRunRecord() {
    stepCount = 0;
    stepsLeftOut = 0;
}

void RecordFailedStep(const char* what, const char* subject, DWORD error) {
    if (stepCount == kMaxSteps) {
        ++stepsLeftOut;
        return;
    }
    char reason[600] = {};
    if (error != 0) ErrorText(error, reason, sizeof reason);
    // snprintf cuts a line that does not fit; the record stays readable.
    std::snprintf(steps[stepCount], kLineSize, "Fallo: %s%s%s%s%s%s\r\n", what, subject != nullptr ? ": " : "",
                  subject != nullptr ? subject : "", error != 0 ? " (" : "", reason, error != 0 ? ")" : "");
    ++stepCount;
}

void WriteRunRecord(const char* tempFolder, bool isUpdate, const char* productFolder, const char* outcome) {
    char path[InstallPathSize];
    if (!RecordPath(tempFolder, path, sizeof path)) return;
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    SYSTEMTIME now;
    GetLocalTime(&now);
    char line[kLineSize];
    std::snprintf(line, sizeof line,
                  "Registro de la instalación de " SM_PRODUCT_NAME "\r\n"
                  "Fecha: %04u-%02u-%02u %02u:%02u:%02u\r\n"
                  "Instalador: " SM_PRODUCT_NAME " " SM_PRODUCT_VERSION "\r\n"
                  "Tipo: %s\r\n"
                  "Carpeta del programa: %s\r\n",
                  now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond,
                  isUpdate ? "actualización" : "instalación nueva", productFolder[0] != '\0' ? productFolder : "-");
    bool ok = WriteAll(file, line);
    for (int i = 0; ok && i < stepCount; ++i) ok = WriteAll(file, steps[i]);
    if (ok && stepsLeftOut > 0) {
        std::snprintf(line, sizeof line, "Fallos no anotados: %d\r\n", stepsLeftOut);
        ok = WriteAll(file, line);
    }
    if (ok) {
        std::snprintf(line, sizeof line, "Resultado: %s\r\n", outcome);
        WriteAll(file, line);
    }
    CloseHandle(file);
}

void RemoveRunRecord(const char* tempFolder) {
    char path[InstallPathSize];
    if (RecordPath(tempFolder, path, sizeof path)) DeleteFileA(path);
}
