#include "cab_reader.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <vector>

#include "install/cab_format.h"
#include "install/payload_check.h"

namespace {

std::string Describe(const PayloadCabinet& cabinet, uint64_t fileSize) {
    std::string block = "data block " + std::to_string(cabinet.faultyBlock) + " of " +
                        std::to_string(cabinet.blockCount);
    switch (cabinet.failed) {
        case CabinetCheck::Header: return "no cabinet header";
        case CabinetCheck::Truncated:
            return "truncated: it records " + std::to_string(cabinet.cabinetLength) + " bytes, the file has " +
                   std::to_string(fileSize);
        case CabinetCheck::Version:
            return "format version " + std::to_string(cabinet.versionMajor) + "." +
                   std::to_string(cabinet.versionMinor);
        case CabinetCheck::Set: return "part of a multi-cabinet set";
        case CabinetCheck::Reserved: return "reserved areas";
        case CabinetCheck::Counts:
            return std::to_string(cabinet.folderCount) + " folders and " + std::to_string(cabinet.fileCount) +
                   " files, not one of each";
        case CabinetCheck::FolderEntry: return "truncated folder entry";
        case CabinetCheck::Compression: return "compression other than MSZIP";
        case CabinetCheck::FileEntry: return "file entry outside the cabinet";
        case CabinetCheck::FileStart: return "the file does not start the folder";
        case CabinetCheck::Name: return "the file name is empty, runs into the data or is longer than 255 bytes";
        case CabinetCheck::BlockTruncated: return block + " is truncated";
        case CabinetCheck::BlockSizes: return block + " has impossible sizes";
        case CabinetCheck::BlockChecksum: return block + " fails its checksum";
        case CabinetCheck::BlockSignature: return block + " lacks the MSZIP signature";
        case CabinetCheck::Length:
            return "the blocks expand to " + std::to_string(cabinet.expandedLength) + " bytes, the file records " +
                   std::to_string(cabinet.fileLength);
        case CabinetCheck::None: break;
    }
    return "damaged";
}

}  // namespace

CabinetProblem CheckCabinet(const std::string& path, CabinetSummary& summary, std::string& error) {
    summary = CabinetSummary();
    error.clear();
    auto fail = [&](CabinetProblem problem, const std::string& what) {
        const char* kind = problem == CabinetProblem::Damaged        ? "damaged cabinet: "
                           : problem == CabinetProblem::NotSupported ? "cabinet not supported: "
                                                                     : "";
        error = path + ": " + kind + what;
        return problem;
    };
    std::error_code code;
    if (!std::filesystem::is_regular_file(path, code)) {
        return fail(CabinetProblem::Unreadable, code ? code.message() : "not a regular file");
    }
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    std::streamoff end = in ? std::streamoff(in.tellg()) : -1;
    if (end < 0) return fail(CabinetProblem::Unreadable, "cannot open the file");
    uint64_t fileSize = uint64_t(end);

    // The header first, then only the bytes the cabinet records: whatever
    // follows them (an older, longer file written over) is not read.
    std::vector<uint8_t> bytes(size_t(std::min<uint64_t>(fileSize, cab::kHeaderSize)));
    in.seekg(0);
    if (!in.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(bytes.size()))) {
        return fail(CabinetProblem::Unreadable, "cannot read the file");
    }
    if (bytes.size() == cab::kHeaderSize) {
        uint64_t recorded = ReadU32(bytes.data() + cab::kCabinetSize);
        if (recorded > cab::kHeaderSize && recorded <= fileSize) {
            bytes.resize(size_t(recorded));
            if (!in.read(reinterpret_cast<char*>(bytes.data() + cab::kHeaderSize),
                         std::streamsize(recorded - cab::kHeaderSize))) {
                return fail(CabinetProblem::Unreadable, "cannot read the file");
            }
        }
    }

    PayloadCabinet cabinet;
    PayloadFault fault = CheckPayloadCabinet(bytes.data(), uint32_t(bytes.size()), cabinet, kToolRules);
    if (fault != PayloadFault::None) {
        bool unsupported = fault == PayloadFault::NotSupported;
        return fail(unsupported ? CabinetProblem::NotSupported : CabinetProblem::Damaged, Describe(cabinet, fileSize));
    }
    summary.fileName.assign(reinterpret_cast<const char*>(bytes.data() + cabinet.nameOffset), cabinet.nameLength);
    summary.fileSize = cabinet.fileLength;
    summary.cabinetSize = cabinet.cabinetLength;
    summary.blockCount = uint16_t(cabinet.blockCount);
    summary.dataOffset = cabinet.dataOffset;
    return CabinetProblem::None;
}
