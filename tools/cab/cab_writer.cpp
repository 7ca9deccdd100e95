#include "cab_writer.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <memory>
#include <vector>

#include "install/cab_checksum.h"
#include "install/cab_format.h"
#include "dos_timestamp.h"
#include "mszip_encoder.h"
#include "tools/common/output_file.h"

namespace {

constexpr uint16_t kSetId = 12345;
constexpr uint32_t kMaxHeadersSize =
    cab::kHeaderSize + cab::kFolderSize + cab::kFileEntrySize + cab::kMaxNameLength + 1;
// The largest input cannot make a cabinet that overflows cbCabinet.
static_assert(uint64_t(cab::kMaxFolderBytes / cab::kBlockSize) * (cab::kDataHeaderSize + cab::kMaxBlockData) +
                      kMaxHeadersSize <= UINT32_MAX,
              "cabinet size fits in 32 bits");

using FilePtr = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

using Headers = uint8_t[kMaxHeadersSize];

// CFHEADER, the one CFFOLDER and the one CFFILE, in that order; returns
// their length. `name` has been checked to fit.
uint32_t BuildHeaders(Headers& bytes, const std::string& name, const DosTimestamp& stamp, uint32_t fileSize,
                      uint16_t blockCount, uint32_t cabinetSize) {
    const uint32_t filesOffset = cab::kHeaderSize + cab::kFolderSize;
    const uint32_t dataOffset = filesOffset + cab::kFileEntrySize + uint32_t(name.size()) + 1;
    std::memset(bytes, 0, sizeof bytes);

    uint8_t* header = bytes;
    std::memcpy(header + cab::kSignature, "MSCF", 4);
    WriteU32(header + cab::kCabinetSize, cabinetSize);
    WriteU32(header + cab::kFilesOffset, filesOffset);
    header[cab::kVersionMinor] = cab::kVersionMinorValue;
    header[cab::kVersionMajor] = cab::kVersionMajorValue;
    WriteU16(header + cab::kFolderCount, 1);
    WriteU16(header + cab::kFileCount, 1);
    WriteU16(header + cab::kFlags, 0);
    WriteU16(header + cab::kSetId, kSetId);
    WriteU16(header + cab::kCabinetIndex, 0);

    uint8_t* folder = header + cab::kHeaderSize;
    WriteU32(folder + cab::kDataOffset, dataOffset);
    WriteU16(folder + cab::kDataCount, blockCount);
    WriteU16(folder + cab::kCompression, cab::kCompressionMszip);

    uint8_t* file = header + filesOffset;
    WriteU32(file + cab::kFileSize, fileSize);
    WriteU32(file + cab::kFolderStart, 0);
    WriteU16(file + cab::kFolderIndex, 0);
    WriteU16(file + cab::kDate, stamp.date);
    WriteU16(file + cab::kTime, stamp.time);
    WriteU16(file + cab::kAttributes, cab::kAttributeArchive);
    std::memcpy(file + cab::kFileEntrySize, name.data(), name.size());
    return dataOffset;
}

bool CheckName(const std::string& name, std::string& error) {
    if (name.empty() || name.size() > cab::kMaxNameLength || name.find('\0') != std::string::npos) {
        error = "the name in the cabinet must have 1 to " + std::to_string(cab::kMaxNameLength) +
                " bytes and no NUL: \"" + name + "\"";
        return false;
    }
    return true;
}

bool OpenSource(const std::string& path, FilePtr& file, uint32_t& size, std::string& error) {
    std::error_code code;
    auto status = std::filesystem::status(path, code);
    if (code) {
        error = "cannot open " + path + ": " + code.message();
        return false;
    }
    if (!std::filesystem::is_regular_file(status)) {
        error = "cannot compress " + path + ": not a regular file";
        return false;
    }
    uint64_t length = std::filesystem::file_size(path, code);
    if (code) {
        error = "cannot read the size of " + path + ": " + code.message();
        return false;
    }
    if (length > cab::kMaxFolderBytes) {
        error = path + " is too large for a cabinet: " + std::to_string(length) + " bytes, at most " +
                std::to_string(cab::kMaxFolderBytes);
        return false;
    }
    file.reset(std::fopen(path.c_str(), "rb"));
    if (!file) {
        int code = errno;
        error = "cannot open " + path + ": " + std::strerror(code);
        return false;
    }
    size = uint32_t(length);
    return true;
}

// Fills `buffer` with `length` bytes; a short read means the file shrank.
bool ReadInput(std::FILE* file, const std::string& path, uint8_t* buffer, uint32_t length, std::string& error) {
    size_t got = std::fread(buffer, 1, length, file);
    if (got == length) return true;
    int code = errno;
    error = std::ferror(file) ? "cannot read " + path + ": " + std::strerror(code)
                              : path + " changed while it was being compressed";
    return false;
}

bool WriteCabinet(const std::string& sourcePath, const std::string& name, const std::string& outputPath,
                  std::string& error, const std::function<void(uint64_t, uint64_t)>& progress, unsigned threads) {
    DosTimestamp stamp;
    FilePtr source(nullptr, std::fclose);
    uint32_t size = 0;
    if (!CheckName(name, error) || !BuildTimestamp(stamp, error) || !OpenSource(sourcePath, source, size, error)) {
        return false;
    }
    MszipEncoder encoder(threads);
    OutputFile output(outputPath);
    if (!encoder.Start(error)) return false;
    auto outputFailed = [&] {
        error = output.Error();
        return false;
    };
    if (!output.Open()) return outputFailed();

    // The headers are written again at the end, when the cabinet's size is known.
    Headers headers;
    uint32_t headersLength = BuildHeaders(headers, name, stamp, size, 0, 0);
    if (!output.Write(headers, headersLength)) return outputFailed();
    uint64_t cabinetSize = headersLength;

    uint16_t blockCount = 0;
    uint32_t done = 0;
    if (progress) progress(0, size);
    while (done < size) {
        uint32_t batch = std::min(size - done, encoder.BatchCapacity());
        if (!ReadInput(source.get(), sourcePath, encoder.BatchInput(), batch, error) ||
            !encoder.EncodeBatch(batch, error)) {
            return false;
        }
        for (uint32_t i = 0; i < encoder.BlockCount(); ++i, ++blockCount) {
            const uint8_t* data = nullptr;
            uint32_t dataLength = 0, length = 0;
            encoder.Block(i, data, dataLength, length);

            uint8_t blockHeader[cab::kDataHeaderSize];
            WriteU16(blockHeader + cab::kCompressedSize, uint16_t(dataLength));
            WriteU16(blockHeader + cab::kUncompressedSize, uint16_t(length));
            WriteU32(blockHeader + cab::kChecksum, CabDataBlockChecksum(blockHeader, data, dataLength));
            if (!output.Write(blockHeader, sizeof blockHeader) || !output.Write(data, dataLength)) {
                return outputFailed();
            }
            cabinetSize += sizeof blockHeader + dataLength;
            done += length;
            if (progress) progress(done, size);
        }
    }
    if (std::fgetc(source.get()) != EOF) {
        error = sourcePath + " changed while it was being compressed";
        return false;
    }

    headersLength = BuildHeaders(headers, name, stamp, size, blockCount, uint32_t(cabinetSize));
    return (output.WriteAtStart(headers, headersLength) && output.Commit()) || outputFailed();
}

}  // namespace

bool WriteSingleFileCabinet(const std::string& sourcePath, const std::string& nameInCabinet,
                            const std::string& outputPath, std::string& error,
                            const std::function<void(uint64_t done, uint64_t total)>& progress,
                            unsigned threads) {
    error.clear();
    try {
        return WriteCabinet(sourcePath, nameInCabinet, outputPath, error, progress, threads);
    } catch (const std::exception& e) {
        // Out of memory, or an exception from the progress callback.
        error = "cannot write " + outputPath + ": " + e.what();
        return false;
    }
}
