#include "archive_writer.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "tools/common/output_file.h"
#include "progress_bar.h"
#include "tool_error.h"

namespace {
[[noreturn]] void Throw(const OutputFile& out) { throw SmxToolError(out.Destination(), out.Problem()); }

void Put(OutputFile& out, const void* bytes, size_t count) {
    if (!out.Write(bytes, count)) Throw(out);
}

constexpr size_t kChunk = 1 << 20;

void WriteHeader(OutputFile& out, uint32_t kind, const ProductEntry* entry, const std::string& name, uint32_t size) {
    SmxHeader header;
    header.kind = kind;
    if (entry != nullptr) {
        header.keepOnUpdate = entry->keepOnUpdate ? 1 : 0;
        header.toSystemFolder = entry->toSystemFolder ? 1 : 0;
    }
    // The scan has already refused longer names; the copy stays bounded.
    std::strncpy(header.name, name.c_str(), SmxMaxNameLength);
    header.size = size;
    uint8_t raw[SmxHeaderSize];
    EncodeSmxHeader(header, raw);
    Put(out, raw, sizeof raw);
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

// Copies exactly `entry.size` bytes: the header already promised that many.
void CopyContent(OutputFile& out, const ProductEntry& entry, std::vector<char>& buffer, ProgressBar& progress) {
    std::unique_ptr<std::FILE, FileCloser> in(std::fopen(entry.sourcePath.c_str(), "rb"));
    if (!in) throw SmxToolError(entry.sourcePath, std::string("cannot read: ") + std::strerror(errno));
    uint64_t left = entry.size;
    while (left > 0) {
        size_t want = left < buffer.size() ? static_cast<size_t>(left) : buffer.size();
        size_t got = std::fread(buffer.data(), 1, want, in.get());
        if (got != want) {
            if (std::ferror(in.get())) {
                throw SmxToolError(entry.sourcePath, std::string("cannot read: ") + std::strerror(errno));
            }
            throw SmxToolError(entry.sourcePath, "file shrank while it was being packed");
        }
        Put(out, buffer.data(), got);
        left -= got;
        progress.Advance(got);
    }
    if (std::fgetc(in.get()) != EOF) throw SmxToolError(entry.sourcePath, "file grew while it was being packed");
}
}  // namespace

void WriteArchive(const ProductTree& tree, const std::string& outputPath, ProgressBar& progress) {
    OutputFile out(outputPath);
    if (!out.Open()) Throw(out);
    std::vector<char> buffer(kChunk);
    WriteHeader(out, SmxKindRoot, nullptr, tree.rootName, tree.fileCount + 1);
    progress.Advance(SmxHeaderSize);
    for (const ProductEntry& entry : tree.entries) {
        if (entry.isDirectory) {
            WriteHeader(out, SmxKindDirectory, &entry, entry.archiveName, 0);
        } else {
            WriteHeader(out, SmxKindFile, &entry, entry.archiveName, static_cast<uint32_t>(entry.size));
        }
        progress.Advance(SmxHeaderSize);
        if (!entry.isDirectory) CopyContent(out, entry, buffer, progress);
    }
    if (!out.Commit()) Throw(out);
    progress.Finish();
}
