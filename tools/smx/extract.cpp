#include "extract.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>
#include <vector>

#include "archive_check.h"
#include "archive_file.h"
#include "install/smx_reader.h"
#include "name_codec.h"
#include "tool_error.h"

namespace fs = std::filesystem;

namespace {
constexpr uint32_t kChunk = 1 << 20;

std::string Errno() { return std::strerror(errno); }

// The native path of a checked archive name. Windows ignores letter case,
// so "DAta\\x" lies in the folder that the record "Data" made: the folder
// part is taken from the path that record was extracted to, and only the
// last component is spelled as the name spells it. That component must not
// be a symbolic link planted in the target, which would carry the write
// elsewhere (the folders it lies in were checked when they were made).
fs::path NativePath(const fs::path& target, const std::map<std::string, fs::path>& folders, const std::string& name) {
    fs::path parent = target;
    size_t slash = name.rfind('\\');
    if (slash != std::string::npos) parent = folders.at(FoldCp1252(name.substr(0, slash)));
    std::string utf8;
    Cp1252ToUtf8(name.substr(slash == std::string::npos ? 0 : slash + 1), utf8);
    fs::path path = parent / utf8;
    std::error_code error;
    if (fs::is_symlink(fs::symlink_status(path, error))) {
        throw SmxToolError(path.string(), "is a symbolic link; smx writes through none");
    }
    return path;
}

void WriteFile(SmFile& archive, const SmxRecord& record, const fs::path& path, std::vector<char>& buffer) {
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) throw SmxToolError(path.string(), "cannot create: " + Errno());
    uint32_t done = 0;
    std::string problem;
    while (problem.empty() && done < record.header.size) {
        uint32_t want = record.header.size - done < kChunk ? record.header.size - done : kChunk;
        // Offsets travel through the file object's signed field and back.
        uint32_t got = archive.ReadAt(static_cast<int32_t>(record.contentOffset + done), buffer.data(), want);
        if (got != want) {
            problem = "archive ended early";
        } else if (write(fd, buffer.data(), got) != static_cast<ssize_t>(got)) {
            problem = "cannot write: " + Errno();
        }
        done += got;
    }
    if (close(fd) != 0 && problem.empty()) problem = "cannot write: " + Errno();
    if (!problem.empty()) {
        unlink(path.c_str());
        throw SmxToolError(path.string(), problem);
    }
}
}  // namespace

void ExtractArchive(const std::string& archivePath, const std::string& targetDir) {
    ArchiveCheck check = CheckArchive(archivePath);
    if (!check.ok) throw SmxToolError(archivePath, check.problem + "; nothing extracted");
    std::error_code error;
    fs::create_directories(targetDir, error);
    if (!fs::is_directory(targetDir)) throw SmxToolError(targetDir, "cannot create folder: " + error.message());

    auto archive = OpenArchive(archivePath);
    SmxReader reader(*archive);
    std::vector<char> buffer(kChunk);
    // Folded directory name -> where it was extracted.
    std::map<std::string, fs::path> folders;
    SmxRecord record;
    while (reader.Next(record)) {
        if (record.type == SmxRecordType::Filler) continue;
        fs::path path = NativePath(targetDir, folders, record.header.name);
        if (record.type == SmxRecordType::Directory) {
            fs::create_directory(path, error);
            if (!fs::is_directory(fs::symlink_status(path))) {
                throw SmxToolError(path.string(), "cannot create folder: " +
                                                      (error ? error.message() : std::string("a file is in the way")));
            }
            folders[FoldCp1252(record.header.name)] = path;
        } else {
            WriteFile(*archive, record, path, buffer);
        }
    }
}
