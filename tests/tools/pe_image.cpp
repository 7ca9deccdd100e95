#include "pe_image.h"

#include <cstring>
#include <map>

namespace {
constexpr size_t kPeHeader = 0x40;
constexpr size_t kOptionalHeaderSize = 224;
constexpr size_t kSectionTable = kPeHeader + 4 + 20 + kOptionalHeaderSize;
constexpr size_t kSectionData = 0x200;
constexpr uint32_t kSectionRva = 0x1000;

void PutU16(ByteVector& bytes, size_t at, uint16_t value) {
    bytes[at] = uint8_t(value);
    bytes[at + 1] = uint8_t(value >> 8);
}

size_t Align4(size_t n) { return (n + 3) & ~size_t(3); }
}  // namespace

void PutU32(ByteVector& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = uint8_t(value >> (8 * i));
}

PeImage MakePeImage(const std::vector<TestResource>& resources) {
    std::map<uint32_t, std::map<uint32_t, const ByteVector*>> tree;
    for (const TestResource& r : resources) tree[r.type][r.id] = &r.bytes;

    // Section layout: the three directory levels, the data entries, the data.
    size_t typeDirectories = 16 + 8 * tree.size();
    size_t nameDirectories = 0, languageDirectories = 0;
    for (const auto& [type, ids] : tree) {
        nameDirectories += 16 + 8 * ids.size();
        languageDirectories += (16 + 8) * ids.size();
    }
    size_t entriesStart = typeDirectories + nameDirectories + languageDirectories;
    size_t dataStart = entriesStart + 16 * resources.size();
    size_t sectionSize = dataStart;
    for (const TestResource& r : resources) sectionSize = Align4(sectionSize + r.bytes.size());

    PeImage image;
    image.bytes.assign(kSectionData + sectionSize, 0);
    ByteVector& b = image.bytes;
    b[0] = 'M';
    b[1] = 'Z';
    PutU32(b, 0x3C, kPeHeader);
    std::memcpy(&b[kPeHeader], "PE\0\0", 4);
    PutU16(b, kPeHeader + 4, 0x14C);                  // i386
    PutU16(b, kPeHeader + 6, 1);                      // one section
    PutU16(b, kPeHeader + 20, kOptionalHeaderSize);
    PutU16(b, kPeHeader + 22, 0x0102);                // executable, 32-bit
    size_t optional = kPeHeader + 24;
    PutU16(b, optional, 0x10B);                       // PE32
    PutU32(b, optional + 92, 16);                     // data directories
    image.peHeader = kPeHeader;
    image.resourceEntry = optional + 96 + 2 * 8;
    PutU32(b, image.resourceEntry, kSectionRva);
    PutU32(b, image.resourceEntry + 4, uint32_t(sectionSize));
    image.sectionHeader = kSectionTable;
    std::memcpy(&b[kSectionTable], ".rsrc", 5);
    PutU32(b, kSectionTable + 8, uint32_t(sectionSize));
    PutU32(b, kSectionTable + 12, kSectionRva);
    PutU32(b, kSectionTable + 16, uint32_t(sectionSize));
    PutU32(b, kSectionTable + 20, kSectionData);

    auto directory = [&](size_t at, size_t idEntries) { PutU16(b, kSectionData + at + 14, uint16_t(idEntries)); };
    auto entry = [&](size_t at, uint32_t id, uint32_t target) {
        PutU32(b, kSectionData + at, id);
        PutU32(b, kSectionData + at + 4, target);
    };
    directory(0, tree.size());
    size_t nameAt = typeDirectories, languageAt = typeDirectories + nameDirectories;
    size_t entryAt = entriesStart, dataAt = dataStart;
    size_t t = 0;
    for (const auto& [type, ids] : tree) {
        entry(16 + 8 * t++, type, 0x80000000u | uint32_t(nameAt));
        directory(nameAt, ids.size());
        size_t i = 0;
        for (const auto& [id, bytes] : ids) {
            entry(nameAt + 16 + 8 * i++, id, 0x80000000u | uint32_t(languageAt));
            directory(languageAt, 1);
            entry(languageAt + 16, 0, uint32_t(entryAt));
            PutU32(b, kSectionData + entryAt, kSectionRva + uint32_t(dataAt));
            PutU32(b, kSectionData + entryAt + 4, uint32_t(bytes->size()));
            if (image.firstDataEntry == 0) {
                image.firstDataEntry = kSectionData + entryAt;
                image.firstData = kSectionData + dataAt;
            }
            if (!bytes->empty()) std::memcpy(&b[kSectionData + dataAt], bytes->data(), bytes->size());
            languageAt += 16 + 8;
            entryAt += 16;
            dataAt = Align4(dataAt + bytes->size());
        }
        nameAt += 16 + 8 * ids.size();
    }
    return image;
}

namespace {
void PadTo4(ByteVector& bytes) {
    while (bytes.size() % 4 != 0) bytes.push_back(0);
}

void PutText16(ByteVector& bytes, const std::u16string& text) {
    for (char16_t unit : text) {
        bytes.push_back(static_cast<unsigned char>(unit & 0xFF));
        bytes.push_back(static_cast<unsigned char>(unit >> 8));
    }
    bytes.push_back(0);
    bytes.push_back(0);
}

// wLength, wValueLength, wType, the key, the value and the children, each
// starting on a 4-byte boundary.
ByteVector VersionBlock(const std::u16string& key, uint16_t valueLength, uint16_t type, const ByteVector& value,
                        const std::vector<ByteVector>& children) {
    ByteVector block(6, 0);
    PutText16(block, key);
    PadTo4(block);
    block.insert(block.end(), value.begin(), value.end());
    for (const ByteVector& child : children) {
        PadTo4(block);
        block.insert(block.end(), child.begin(), child.end());
    }
    block[0] = static_cast<unsigned char>(block.size() & 0xFF);
    block[1] = static_cast<unsigned char>(block.size() >> 8);
    block[2] = static_cast<unsigned char>(valueLength & 0xFF);
    block[3] = static_cast<unsigned char>(valueLength >> 8);
    block[4] = static_cast<unsigned char>(type);
    return block;
}
}  // namespace

ByteVector MakeVersionResource(const uint16_t (&version)[4],
                               const std::vector<std::pair<std::u16string, std::u16string>>& texts) {
    ByteVector fixed(52, 0);
    PutU32(fixed, 0, 0xFEEF04BDu);
    PutU32(fixed, 4, 0x00010000u);
    for (size_t at : {size_t(8), size_t(16)}) {  // file, then product version
        PutU32(fixed, at, uint32_t(version[0]) << 16 | version[1]);
        PutU32(fixed, at + 4, uint32_t(version[2]) << 16 | version[3]);
    }
    std::vector<ByteVector> strings;
    for (const auto& text : texts) {
        ByteVector value;
        PutText16(value, text.second);
        strings.push_back(VersionBlock(text.first, uint16_t(text.second.size() + 1), 1, value, {}));
    }
    ByteVector table = VersionBlock(u"0C0A04E4", 0, 1, {}, strings);
    ByteVector translation = VersionBlock(u"Translation", 4, 0, {0x0A, 0x0C, 0xE4, 0x04}, {});
    return VersionBlock(u"VS_VERSION_INFO", 52, 0, fixed,
                        {VersionBlock(u"StringFileInfo", 0, 1, {}, {table}),
                         VersionBlock(u"VarFileInfo", 0, 1, {}, {translation})});
}
