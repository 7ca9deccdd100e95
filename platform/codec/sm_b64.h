#pragma once
// SmB64 streaming into a file: the coder of sm_b64_coder.h wired to an
// SmRawFile on the output path.
#include <cstdint>

#include "platform/codec/sm_b64_coder.h"
#include "platform/files/sm_raw_file.h"

class SmB64 {
public:
    // An existing file at the output path is replaced: the stream is written
    // from its start and would otherwise leave the old file's tail behind.
    // A null or empty path gives a coder that writes nowhere.
    explicit SmB64(const char* outputPath);
    virtual ~SmB64();
    SmB64(const SmB64&) = delete;
    SmB64& operator=(const SmB64&) = delete;

    bool HasOutput() const { return file_ != nullptr && file_->IsOpen(); }
    bool EncodeBytes(const void* bytes, uint32_t count, bool last) { return coder_.EncodeBytes(bytes, count, last); }
    bool DecodeText(const char* text, uint32_t count, bool last) { return coder_.DecodeText(text, count, last); }

private:
    class FileOutput : public SmB64Output {
    public:
        explicit FileOutput(SmRawFile*& file) : file_(file) {}
        void WriteLine(const char* text) override;
        void WriteAt(uint32_t offset, const unsigned char* bytes, uint32_t count) override;

    private:
        SmRawFile*& file_;
    };

    SmRawFile* file_ = nullptr;
    FileOutput output_{file_};
    SmB64Coder coder_{output_};
};
