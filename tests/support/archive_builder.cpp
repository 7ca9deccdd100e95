#include "archive_builder.h"

#include <cstring>

#include "install/smx_format.h"

namespace {
void AppendHeader(ByteVector& out, uint32_t kind, const std::string& name, uint32_t size, uint8_t keep,
                  uint8_t system) {
    SmxHeader header;
    header.kind = kind;
    header.keepOnUpdate = keep;
    header.toSystemFolder = system;
    std::strncpy(header.name, name.c_str(), SmxMaxNameLength);
    header.size = size;
    uint8_t raw[SmxHeaderSize];
    EncodeSmxHeader(header, raw);
    out.insert(out.end(), raw, raw + SmxHeaderSize);
}
}  // namespace

ArchiveBuilder::ArchiveBuilder(const std::string& rootName, int64_t total) : rootName_(rootName), total_(total) {}

ArchiveBuilder& ArchiveBuilder::Directory(const std::string& name) {
    AppendHeader(records_, SmxKindDirectory, name, 0, 0, 0);
    return *this;
}

ArchiveBuilder& ArchiveBuilder::File(const std::string& name, const std::string& content, bool keepOnUpdate,
                                     bool toSystemFolder) {
    return FileBytes(name, ByteVector(content.begin(), content.end()), keepOnUpdate, toSystemFolder);
}

ArchiveBuilder& ArchiveBuilder::FileBytes(const std::string& name, const ByteVector& content, bool keepOnUpdate,
                                          bool toSystemFolder) {
    ++fileRecords_;
    return Raw(SmxKindFile, name, static_cast<uint32_t>(content.size()), content, keepOnUpdate ? 1 : 0,
               toSystemFolder ? 1 : 0);
}

ArchiveBuilder& ArchiveBuilder::Raw(uint32_t kind, const std::string& name, uint32_t size, const ByteVector& content,
                                    uint8_t keep, uint8_t system) {
    AppendHeader(records_, kind, name, size, keep, system);
    records_.insert(records_.end(), content.begin(), content.end());
    return *this;
}

ByteVector ArchiveBuilder::Finish() const {
    ByteVector out;
    uint32_t total = total_ >= 0 ? static_cast<uint32_t>(total_) : static_cast<uint32_t>(fileRecords_ + 1);
    AppendHeader(out, SmxKindRoot, rootName_, total, 0, 0);
    out.insert(out.end(), records_.begin(), records_.end());
    return out;
}
