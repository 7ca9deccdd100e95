#include "version_info.h"

#include "common/byte_order.h"
#include "name_codec.h"

namespace {
constexpr uint32_t kFixedSignature = 0xFEEF04BDu;
constexpr size_t kFixedSize = 52;
constexpr size_t kBlockHeader = 6;  // wLength, wValueLength, wType

size_t Align4(size_t offset) { return (offset + 3) & ~size_t(3); }

// A UTF-16 text from `offset`, ended by NUL or by `end`; returns the offset
// after its NUL (or `end`).
size_t ReadText(const uint8_t* bytes, size_t offset, size_t end, std::string& text) {
    text.clear();
    while (offset + 2 <= end) {
        uint16_t unit = ReadU16(bytes + offset);
        offset += 2;
        if (unit == 0) return offset;
        AppendUtf8(unit, text);
    }
    return end;
}

// One block: its key, its value and where its children lie.
struct Block {
    std::string key;
    size_t valueOffset = 0;
    size_t valueLength = 0;  // bytes
    bool textValue = false;
    size_t childrenOffset = 0;
    size_t end = 0;
};

bool ReadBlock(const uint8_t* bytes, size_t offset, size_t limit, Block& block, std::string& problem) {
    if (offset + kBlockHeader > limit) {
        problem = "a block runs past the end of its parent";
        return false;
    }
    size_t length = ReadU16(bytes + offset);
    if (length < kBlockHeader || offset + length > limit) {
        problem = "a block's length (" + std::to_string(length) + ") does not fit its parent";
        return false;
    }
    block.end = offset + length;
    uint16_t valueLength = ReadU16(bytes + offset + 2);
    block.textValue = ReadU16(bytes + offset + 4) == 1;
    size_t afterKey = ReadText(bytes, offset + kBlockHeader, block.end, block.key);
    block.valueOffset = Align4(afterKey);
    if (block.valueOffset > block.end) block.valueOffset = block.end;
    // A text value (a string table's entry) runs to the end of its block;
    // its recorded length is counted in characters by some compilers and
    // in bytes by others. Blocks that hold other blocks have no value.
    bool leafText = block.textValue && valueLength > 0;
    block.valueLength = leafText ? block.end - block.valueOffset : block.textValue ? 0 : valueLength;
    if (block.valueOffset + block.valueLength > block.end) {
        problem = "the value of \"" + block.key + "\" runs past its block";
        return false;
    }
    block.childrenOffset = leafText ? block.end : Align4(block.valueOffset + block.valueLength);
    return true;
}

// Calls visit(child) for every child of `parent`; false at the first
// damaged one.
template <typename Visit>
bool ForEachChild(const uint8_t* bytes, const Block& parent, std::string& problem, Visit visit) {
    size_t offset = parent.childrenOffset;
    while (offset + kBlockHeader <= parent.end) {
        Block child;
        if (!ReadBlock(bytes, offset, parent.end, child, problem)) return false;
        if (!visit(child)) return false;
        offset = Align4(child.end);
    }
    return true;
}
}  // namespace

std::string VersionInfo::Text(const std::string& key) const {
    for (const auto& text : texts) {
        if (text.first == key) return text.second;
    }
    return "";
}

bool ReadVersionInfo(const uint8_t* bytes, size_t length, VersionInfo& info, std::string& problem) {
    info = VersionInfo();
    Block root;
    if (!ReadBlock(bytes, 0, length, root, problem)) return false;
    if (root.key != "VS_VERSION_INFO") {
        problem = "it does not start with VS_VERSION_INFO";
        return false;
    }
    if (root.valueLength < kFixedSize || ReadU32(bytes + root.valueOffset) != kFixedSignature) {
        problem = "its fixed part is missing or has no signature";
        return false;
    }
    uint32_t high = ReadU32(bytes + root.valueOffset + 8);
    uint32_t low = ReadU32(bytes + root.valueOffset + 12);
    info.fileVersion = std::to_string(high >> 16) + "." + std::to_string(high & 0xFFFF) + "." +
                       std::to_string(low >> 16) + "." + std::to_string(low & 0xFFFF);
    bool tableRead = false;
    return ForEachChild(bytes, root, problem, [&](const Block& section) {
        if (section.key != "StringFileInfo") return true;
        return ForEachChild(bytes, section, problem, [&](const Block& table) {
            if (tableRead) return true;
            tableRead = true;
            return ForEachChild(bytes, table, problem, [&](const Block& entry) {
                std::string value;
                ReadText(bytes, entry.valueOffset, entry.end, value);
                info.texts.emplace_back(entry.key, value);
                return true;
            });
        });
    });
}
