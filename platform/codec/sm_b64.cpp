#include "platform/codec/sm_b64.h"

#include <windows.h>

SmB64::SmB64(const char* outputPath) {
    if (outputPath == nullptr || *outputPath == '\0') return;
    DeleteFileA(outputPath);
    file_ = new SmRawFile(outputPath);
}

SmB64::~SmB64() {
    if (file_ == nullptr) return;
    file_->Close();
    delete file_;
}

void SmB64::FileOutput::WriteLine(const char* text) {
    if (file_ != nullptr) file_->WriteLine(text);
}

void SmB64::FileOutput::WriteAt(uint32_t offset, const unsigned char* bytes, uint32_t count) {
    if (file_ != nullptr) file_->WriteAt(static_cast<int32_t>(offset), bytes, count);
}
