#pragma once
// Builds package archive images in memory for tests: a root, then records
// in the order they are added, exactly as given (so damaged archives can be
// made too).
#include <cstdint>
#include <string>
#include <vector>

#include "support/archive_bytes.h"

class ArchiveBuilder {
public:
    // The root; `total` is the progress total (default: set by Finish to
    // file records + 1).
    explicit ArchiveBuilder(const std::string& rootName, int64_t total = -1);

    ArchiveBuilder& Directory(const std::string& name);
    ArchiveBuilder& File(const std::string& name, const std::string& content, bool keepOnUpdate = false,
                         bool toSystemFolder = false);
    ArchiveBuilder& FileBytes(const std::string& name, const ByteVector& content, bool keepOnUpdate = false,
                              bool toSystemFolder = false);
    // A header with any fields, followed by `content` (which need not match
    // `size`).
    ArchiveBuilder& Raw(uint32_t kind, const std::string& name, uint32_t size, const ByteVector& content = {},
                        uint8_t keep = 0, uint8_t system = 0);

    ByteVector Finish() const;
    int FileRecords() const { return fileRecords_; }

private:
    std::string rootName_;
    int64_t total_;
    int fileRecords_ = 0;
    ByteVector records_;
};
