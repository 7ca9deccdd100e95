// SmFile::ReadLine over arbitrary files and destination sizes: the copy is
// bounded by the destination and always terminated, the position moves past
// one CR LF line or not at all, and the text read is the file's.
#include <cstring>
#include <vector>

#include "input_file.h"
#include "platform/files/sm_file.h"

namespace {
constexpr char kGuard = '\x5A';
constexpr uint32_t kGuardBytes = 16;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    // The first two bytes choose the destination's capacity (0 to 1 KiB and
    // a little beyond the chunk); the rest is the file.
    uint32_t capacity = (uint32_t(data[0]) | uint32_t(data[1]) << 8) % 1100;
    const uint8_t* text = data + 2;
    size_t length = size - 2;
    SmFile file(WriteInputFile(text, length).c_str());
    if (!file.IsOpen()) Finding("cannot open the scratch file");

    std::vector<char> destination(capacity + kGuardBytes, kGuard);
    for (int lines = 0; lines < 64; ++lines) {
        int32_t before = file.Position();
        std::memset(destination.data(), kGuard, destination.size());
        file.ReadLine(destination.data(), capacity);
        for (uint32_t i = capacity; i < destination.size(); ++i) {
            if (destination[i] != kGuard) Finding("ReadLine wrote past the destination");
        }
        int32_t moved = file.Position() - before;
        if (moved < 0) Finding("ReadLine moved backwards");
        if (size_t(before) >= length) {
            // At the end nothing is read and the destination stays as it was.
            if (moved != 0 || (capacity > 0 && destination[0] != kGuard)) Finding("ReadLine read past the end");
            break;
        }
        if (capacity > 0) {
            size_t got = strnlen(destination.data(), capacity);
            if (got == capacity) Finding("ReadLine left the destination unterminated");
            if (std::memcmp(destination.data(), text + before, got) != 0) {
                Finding("ReadLine copied other text than the file's");
            }
        }
        if (moved == 0) break;
        // A line moves the position past its CR and the byte after it.
        if (size_t(before) + moved > length + 1 || text[before + moved - 2] != '\r') {
            Finding("ReadLine moved past something other than a line end");
        }
    }
    return 0;
}
