#pragma once
// Walks the archive an installer's payload holds as it comes out of the
// cabinet, block by block, without writing it anywhere: for the checks that
// read only headers. The walk is SmxReader's (same step rule; the archive's
// length is the one the cabinet records; a header cut short by the end
// reads as zeros), so both give the same records for the same bytes.
#include <cstdint>
#include <functional>

#include "install/smx_reader.h"
#include "tools/cab/cab_expand.h"

class ArchiveStream {
public:
    // Reads the root header. `progress` hears the bytes expanded so far.
    ArchiveStream(CabinetExpansion& expansion, uint32_t length,
                  const std::function<void(uint64_t expanded)>& progress = {});

    const SmxHeader& Root() const { return root_; }
    uint32_t Length() const { return length_; }
    bool RootComplete() const { return rootComplete_; }

    // The next record's header, past the content before it. False when the
    // walk is over.
    bool Next(SmxRecord& record);

    // Expands whatever the walk left, so that every block is checked even
    // when the walk stopped early. False when a block failed (at any time):
    // the expansion's Error() names it.
    bool Finish();

private:
    bool Pull();
    void SkipTo(uint64_t offset);
    uint32_t Read(uint8_t* out, uint32_t count);

    CabinetExpansion& expansion_;
    std::function<void(uint64_t)> progress_;
    uint32_t length_;
    // The current block, and the archive offset of its next unread byte.
    const uint8_t* block_ = nullptr;
    uint32_t blockLength_ = 0;
    uint32_t blockPos_ = 0;
    uint64_t position_ = 0;
    uint32_t offset_ = SmxHeaderSize;
    bool done_ = false;
    bool rootComplete_ = false;
    SmxHeader root_;
};
