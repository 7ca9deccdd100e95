#pragma once
// Walks a package archive front to back, one record at a time, over an open
// SmFile. The rules of the walk:
//   - the root header is read at offset 0; its size never moves the offset:
//     the first record after it is read at offset 160;
//   - the header buffer is cleared before every read, so a header cut short
//     by the end of the file reads as zeros (a missing first name byte makes
//     it a filler, a missing size reads as 0);
//   - a name starting with NUL is a filler (160 bytes only); kind 1 is a
//     directory (160 bytes only, whatever its size says); any other kind is
//     a file whose `size` content bytes follow its header;
//   - the walk ends when the offset reaches or passes the file's length.
#include <cstdint>

#include "platform/files/sm_file.h"
#include "smx_format.h"

enum class SmxRecordType { Filler, Directory, File };

struct SmxRecord {
    SmxRecordType type = SmxRecordType::Filler;
    SmxHeader header;
    uint32_t headerOffset = 0;
    // File records: where the content starts, and whether all `size` bytes
    // lie inside the file (false for a damaged archive).
    uint32_t contentOffset = 0;
    bool contentComplete = true;
    // The header itself was cut short by the end of the file.
    bool headerComplete = true;
};

// The walk's step past the record whose header, read at
// record.headerOffset of an archive of `length` bytes, is in record.header:
// sets its type and, for a file, where its content lies and whether it is
// all there. False when the walk ends with this record; otherwise `next` is
// where the next header starts. Every walker of an archive steps with it.
bool SmxStepPast(SmxRecord& record, uint32_t length, uint32_t& next);

class SmxReader {
public:
    // Takes the archive's length once and reads the root header.
    explicit SmxReader(SmFile& archive);

    const SmxHeader& Root() const { return root_; }
    uint32_t Length() const { return length_; }
    // True when the root header itself was complete (the file has at least
    // 160 bytes).
    bool RootComplete() const { return rootComplete_; }

    // Reads the next record's header and moves past it (and past a file's
    // content). False when the walk is over.
    bool Next(SmxRecord& record);

    // Reads a file record's whole content into buffer (header.size bytes).
    // Returns false when the archive ends before the content does; the bytes
    // that were there are read, the rest of the buffer is zeroed.
    bool ReadContent(const SmxRecord& record, void* buffer);

private:
    SmFile& archive_;
    uint32_t length_ = 0;
    uint32_t offset_ = SmxHeaderSize;
    bool done_ = false;
    bool rootComplete_ = false;
    SmxHeader root_;
};
