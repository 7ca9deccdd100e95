#include "archive_builder.h"

#include "support/archive_bytes.h"
#include "install/smx_format.h"


ArchiveBuilder::ArchiveBuilder(const std::string& rootName, int64_t total) : rootName_(rootName), total_(total) {}

ArchiveBuilder& ArchiveBuilder::Directory(const std::string& name) {
    ByteVector header = Header(SmxKindDirectory, name, 0);
    records_.insert(records_.end(), header.begin(), header.end());
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
    ByteVector header = Header(kind, name, size, keep, system);
    records_.insert(records_.end(), header.begin(), header.end());
    records_.insert(records_.end(), content.begin(), content.end());
    return *this;
}

ByteVector ArchiveBuilder::Finish() const {
    ByteVector out;
    uint32_t total = total_ >= 0 ? static_cast<uint32_t>(total_) : static_cast<uint32_t>(fileRecords_ + 1);
    out = Header(SmxKindRoot, rootName_, total);
    out.insert(out.end(), records_.begin(), records_.end());
    return out;
}
