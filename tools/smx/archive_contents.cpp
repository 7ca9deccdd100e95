#include "archive_contents.h"

#include <vector>

#include "archive_file.h"
#include "install/smx_reader.h"
#include "name_codec.h"
#include "progress_bar.h"
#include "sha256.h"
#include "tool_error.h"

namespace {
constexpr uint32_t kChunk = 1 << 20;

std::string ContentDigest(SmFile& archive, const SmxRecord& record, std::vector<char>& buffer,
                          const std::string& path, ProgressBar& progress) {
    Sha256 digest;
    for (uint32_t done = 0; done < record.header.size;) {
        uint32_t want = record.header.size - done < kChunk ? record.header.size - done : kChunk;
        // Offsets travel through the file object's signed field and back.
        if (archive.ReadAt(static_cast<int32_t>(record.contentOffset + done), buffer.data(), want) != want) {
            throw SmxToolError(path, "cannot read the content of " + DisplayName(record.header.name));
        }
        digest.Update(buffer.data(), want);
        progress.Advance(want);
        done += want;
    }
    return digest.HexDigest();
}
}  // namespace

ArchiveContents ReadArchiveContents(const std::string& archivePath, ProgressBar& progress) {
    auto file = OpenArchive(archivePath);
    SmxReader reader(*file);
    ArchiveContents contents;
    contents.rootName = reader.Root().name;
    std::vector<char> buffer(kChunk);
    SmxRecord record;
    while (reader.Next(record)) {
        if (record.type == SmxRecordType::Filler) continue;
        ArchiveEntry entry;
        entry.name = record.header.name;
        entry.directory = record.type == SmxRecordType::Directory;
        if (!entry.directory) {
            entry.size = record.header.size;
            entry.keepOnUpdate = record.header.keepOnUpdate != 0;
            entry.toSystemFolder = record.header.toSystemFolder != 0;
            entry.sha256 = ContentDigest(*file, record, buffer, archivePath, progress);
        }
        contents.entries.push_back(std::move(entry));
    }
    return contents;
}
