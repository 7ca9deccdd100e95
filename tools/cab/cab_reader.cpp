#include "cab_reader.h"

#include <filesystem>
#include <fstream>
#include <vector>

#include "install/cab_checksum.h"
#include "install/cab_format.h"

namespace {

constexpr uint16_t kFlagPreviousCabinet = 0x0001;
constexpr uint16_t kFlagNextCabinet = 0x0002;
constexpr uint16_t kCompressionTypeMask = 0x000F;

// Reads byte ranges of the cabinet, refusing any that reaches past `limit`.
class BoundedReader {
public:
    BoundedReader(std::ifstream& in, uint64_t limit) : in_(in), limit_(limit) {}
    void SetLimit(uint64_t limit) { limit_ = limit; }
    bool Fits(uint64_t offset, uint64_t length) const { return offset <= limit_ && length <= limit_ - offset; }
    bool Read(uint64_t offset, uint8_t* bytes, uint32_t length) {
        if (!Fits(offset, length)) return false;
        in_.seekg(std::streamoff(offset));
        in_.read(reinterpret_cast<char*>(bytes), length);
        if (!in_) readFailed_ = true;
        return bool(in_);
    }
    // A range inside the bounds that still could not be read.
    bool ReadFailed() const { return readFailed_; }

private:
    std::ifstream& in_;
    uint64_t limit_;
    bool readFailed_ = false;
};

class Checker {
public:
    Checker(const std::string& path, CabinetSummary& summary, std::string& error)
        : path_(path), summary_(summary), error_(error) {}

    CabinetProblem Run() {
        std::error_code code;
        if (!std::filesystem::is_regular_file(path_, code)) {
            return Fail(CabinetProblem::Unreadable, code ? code.message() : "not a regular file");
        }
        std::ifstream in(path_, std::ios::binary | std::ios::ate);
        std::streamoff end = in ? std::streamoff(in.tellg()) : -1;
        if (end < 0) return Fail(CabinetProblem::Unreadable, "cannot open the file");
        BoundedReader reader(in, uint64_t(end));
        CabinetProblem problem = CheckHeader(reader, uint64_t(end));
        if (problem == CabinetProblem::None) problem = CheckEntries(reader);
        if (problem == CabinetProblem::None) problem = CheckBlocks(reader);
        if (reader.ReadFailed()) return Fail(CabinetProblem::Unreadable, "cannot read the file");
        return problem;
    }

private:
    CabinetProblem Fail(CabinetProblem problem, const std::string& what) {
        const char* kind = problem == CabinetProblem::Damaged        ? "damaged cabinet: "
                           : problem == CabinetProblem::NotSupported ? "cabinet not supported: "
                                                                     : "";
        error_ = path_ + ": " + kind + what;
        return problem;
    }

    CabinetProblem CheckHeader(BoundedReader& reader, uint64_t fileSize) {
        if (!reader.Read(0, header_, cab::kHeaderSize) || std::string(reinterpret_cast<char*>(header_), 4) != "MSCF") {
            return Fail(CabinetProblem::Damaged, "no cabinet header");
        }
        summary_.cabinetSize = ReadU32(header_ + cab::kCabinetSize);
        if (summary_.cabinetSize > fileSize) {
            return Fail(CabinetProblem::Damaged, "truncated: it records " + std::to_string(summary_.cabinetSize) +
                                                     " bytes, the file has " + std::to_string(fileSize));
        }
        // Bytes after the recorded length (an older, longer file written over) are not ours.
        reader.SetLimit(summary_.cabinetSize);
        if (header_[cab::kVersionMajor] != cab::kVersionMajorValue) {
            return Fail(CabinetProblem::NotSupported, "format version " + std::to_string(header_[cab::kVersionMajor]) +
                                                          "." + std::to_string(header_[cab::kVersionMinor]));
        }
        uint16_t flags = ReadU16(header_ + cab::kFlags);
        if (flags & (kFlagPreviousCabinet | kFlagNextCabinet)) {
            return Fail(CabinetProblem::NotSupported, "part of a multi-cabinet set");
        }
        if (flags & cab::kFlagsReservePresent) return Fail(CabinetProblem::NotSupported, "reserved areas");
        uint16_t folders = ReadU16(header_ + cab::kFolderCount);
        uint16_t files = ReadU16(header_ + cab::kFileCount);
        if (folders != 1 || files != 1) {
            return Fail(CabinetProblem::NotSupported, std::to_string(folders) + " folders and " +
                                                          std::to_string(files) + " files, not one of each");
        }
        return CabinetProblem::None;
    }

    CabinetProblem CheckEntries(BoundedReader& reader) {
        uint8_t folder[cab::kFolderSize];
        if (!reader.Read(cab::kHeaderSize, folder, cab::kFolderSize)) {
            return Fail(CabinetProblem::Damaged, "truncated folder entry");
        }
        if ((ReadU16(folder + cab::kCompression) & kCompressionTypeMask) != cab::kCompressionMszip) {
            return Fail(CabinetProblem::NotSupported, "compression other than MSZIP");
        }
        dataOffset_ = ReadU32(folder + cab::kDataOffset);
        summary_.dataOffset = dataOffset_;
        summary_.blockCount = ReadU16(folder + cab::kDataCount);

        uint32_t filesOffset = ReadU32(header_ + cab::kFilesOffset);
        uint8_t file[cab::kFileEntrySize];
        if (filesOffset < cab::kHeaderSize + cab::kFolderSize || !reader.Read(filesOffset, file, cab::kFileEntrySize)) {
            return Fail(CabinetProblem::Damaged, "file entry outside the cabinet");
        }
        summary_.fileSize = ReadU32(file + cab::kFileSize);
        if (ReadU32(file + cab::kFolderStart) != 0 || ReadU16(file + cab::kFolderIndex) != 0) {
            return Fail(CabinetProblem::Damaged, "the file does not start the folder");
        }
        return ReadName(reader, uint64_t(filesOffset) + cab::kFileEntrySize);
    }

    // The name ends with its NUL before the data blocks begin.
    CabinetProblem ReadName(BoundedReader& reader, uint64_t offset) {
        summary_.fileName.clear();
        for (size_t i = 0; i <= cab::kMaxNameLength && offset + i < dataOffset_; ++i) {
            uint8_t c;
            if (!reader.Read(offset + i, &c, 1)) return Fail(CabinetProblem::Damaged, "truncated file name");
            if (c == 0) {
                if (i == 0) return Fail(CabinetProblem::Damaged, "empty file name");
                return CabinetProblem::None;
            }
            summary_.fileName.push_back(char(c));
        }
        return Fail(CabinetProblem::Damaged, "file name runs into the data or past 255 bytes");
    }

    CabinetProblem CheckBlocks(BoundedReader& reader) {
        std::vector<uint8_t> data(cab::kMaxBlockData);
        uint64_t offset = dataOffset_;
        uint64_t expanded = 0;
        for (uint32_t i = 0; i < summary_.blockCount; ++i) {
            std::string block = "data block " + std::to_string(i + 1) + " of " + std::to_string(summary_.blockCount);
            uint8_t header[cab::kDataHeaderSize];
            if (!reader.Read(offset, header, cab::kDataHeaderSize)) {
                return Fail(CabinetProblem::Damaged, block + " is truncated");
            }
            uint16_t dataLength = ReadU16(header + cab::kCompressedSize);
            uint16_t length = ReadU16(header + cab::kUncompressedSize);
            if (dataLength > cab::kMaxBlockData || length == 0 || length > cab::kBlockSize) {
                return Fail(CabinetProblem::Damaged, block + " has impossible sizes");
            }
            if (!reader.Read(offset + cab::kDataHeaderSize, data.data(), dataLength)) {
                return Fail(CabinetProblem::Damaged, block + " is truncated");
            }
            // A stored checksum of zero means none was computed.
            uint32_t stored = ReadU32(header + cab::kChecksum);
            if (stored != 0 && stored != CabDataBlockChecksum(header, data.data(), dataLength)) {
                return Fail(CabinetProblem::Damaged, block + " fails its checksum");
            }
            if (dataLength < 2 || data[0] != 'C' || data[1] != 'K') {
                return Fail(CabinetProblem::Damaged, block + " lacks the MSZIP signature");
            }
            offset += cab::kDataHeaderSize + dataLength;
            expanded += length;
        }
        if (expanded != summary_.fileSize) {
            return Fail(CabinetProblem::Damaged, "the blocks expand to " + std::to_string(expanded) +
                                                     " bytes, the file records " + std::to_string(summary_.fileSize));
        }
        return CabinetProblem::None;
    }

    const std::string& path_;
    CabinetSummary& summary_;
    std::string& error_;
    uint8_t header_[cab::kHeaderSize] = {};
    uint32_t dataOffset_ = 0;
};

}  // namespace

CabinetProblem CheckCabinet(const std::string& path, CabinetSummary& summary, std::string& error) {
    summary = CabinetSummary();
    error.clear();
    return Checker(path, summary, error).Run();
}
