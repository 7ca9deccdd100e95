#include "pe_resource.h"

#include "common/byte_order.h"

namespace {
// MZ header: "MZ", and at 0x3C the file offset of the PE signature.
constexpr uint64_t kPeOffsetField = 0x3C;
// After "PE\0\0": the COFF header, then the optional header.
constexpr uint64_t kSignatureSize = 4;
constexpr uint64_t kCoffHeaderSize = 20;
constexpr uint64_t kSectionCountField = 2;
constexpr uint64_t kOptionalHeaderSizeField = 16;
// PE32 optional header: its magic, and at 92 the count of data directories
// that follow, 8 bytes each (RVA, size); resources are number 2.
constexpr uint16_t kPe32Magic = 0x10B;
constexpr uint16_t kPe32PlusMagic = 0x20B;
constexpr uint64_t kDirectoryCountField = 92;
constexpr uint32_t kResourceDirectory = 2;
constexpr uint64_t kDirectoryEntrySize = 8;
// Section header: virtual address, then size and offset of its bytes in the file.
constexpr uint64_t kSectionHeaderSize = 40;
constexpr uint64_t kSectionAddress = 12;
constexpr uint64_t kSectionRawSize = 16;
constexpr uint64_t kSectionRawOffset = 20;
// Resource tree: a directory is 16 bytes ending with its counts of named and
// of numbered entries, then the entries, 8 bytes each: name or id, then the
// offset (from the tree's start) of a subdirectory (high bit set) or of a
// data entry, whose first fields are the data's RVA and size.
constexpr uint64_t kTreeDirectorySize = 16;
constexpr uint64_t kNamedCountField = 12;
constexpr uint64_t kIdCountField = 14;
constexpr uint64_t kTreeEntrySize = 8;
constexpr uint64_t kDataEntrySize = 16;
constexpr uint32_t kHighBit = 0x80000000u;

class PeReader {
public:
    PeReader(const uint8_t* bytes, size_t length, std::string& problem)
        : bytes_(bytes), length_(length), problem_(problem) {}

    PeLookup Find(uint32_t type, uint32_t id, PeResource& resource) {
        PeLookup result = ReadHeaders();
        if (result != PeLookup::Found) return result;
        if (treeRva_ == 0 || treeSize_ == 0) return Fail(PeLookup::Missing, "a Windows program without resources");
        Mapping tree = MapRva(treeRva_, kTreeDirectorySize, treeStart_, treeEnd_);
        if (tree != Mapping::Mapped) return FailMapping(tree, "its resource directory's bytes");
        std::string name = type == PeResourceTypeRcdata ? "RCDATA " + std::to_string(id)
                                                        : "resource " + std::to_string(id) + " of type " +
                                                              std::to_string(type);
        uint64_t typeDirectory = 0, nameDirectory = 0, dataEntry = 0;
        if ((result = Descend(treeStart_, &type, true, typeDirectory)) != PeLookup::Found ||
            (result = Descend(typeDirectory, &id, true, nameDirectory)) != PeLookup::Found ||
            (result = Descend(nameDirectory, nullptr, false, dataEntry)) != PeLookup::Found) {
            if (result == PeLookup::Missing) return Fail(result, "a Windows program without " + name);
            return result;
        }
        if (!InTree(dataEntry, kDataEntrySize)) {
            return Fail(PeLookup::Damaged, name + ": its data entry lies outside the resource section");
        }
        uint32_t dataRva = U32(dataEntry);
        resource.size = U32(dataEntry + 4);
        uint64_t sectionEnd = 0;
        Mapping data = MapRva(dataRva, resource.size, resource.fileOffset, sectionEnd);
        if (data != Mapping::Mapped) {
            return FailMapping(data, name + ": its " + std::to_string(resource.size) + " bytes");
        }
        return PeLookup::Found;
    }

private:
    PeLookup Fail(PeLookup kind, const std::string& what) {
        problem_ = what;
        return kind;
    }

    bool Fits(uint64_t offset, uint64_t size) const { return offset <= length_ && size <= length_ - offset; }
    bool InTree(uint64_t offset, uint64_t size) const {
        return offset >= treeStart_ && offset <= treeEnd_ && size <= treeEnd_ - offset;
    }
    uint16_t U16(uint64_t at) const { return ReadU16(bytes_ + at); }
    uint32_t U32(uint64_t at) const { return ReadU32(bytes_ + at); }

    PeLookup ReadHeaders() {
        if (!Fits(0, 2) || bytes_[0] != 'M' || bytes_[1] != 'Z') return Fail(PeLookup::NotExecutable, "no MZ header");
        if (!Fits(0, kPeOffsetField + 4)) return Fail(PeLookup::NotExecutable, "its MZ header is cut short");
        uint64_t pe = U32(kPeOffsetField);
        if (!Fits(pe, kSignatureSize + kCoffHeaderSize) || U32(pe) != 0x00004550u) {
            return Fail(PeLookup::NotExecutable, "no PE header where its MZ header points");
        }
        uint64_t coff = pe + kSignatureSize;
        sectionCount_ = U16(coff + kSectionCountField);
        uint64_t optional = coff + kCoffHeaderSize;
        uint64_t optionalSize = U16(coff + kOptionalHeaderSizeField);
        if (!Fits(optional, optionalSize) || optionalSize < 2) {
            return Fail(PeLookup::Damaged, "its optional header runs past the end of the file");
        }
        uint16_t magic = U16(optional);
        // The installer is a 32-bit program.
        if (magic == kPe32PlusMagic) return Fail(PeLookup::Missing, "a 64-bit Windows program");
        if (magic != kPe32Magic) return Fail(PeLookup::Damaged, "its optional header is neither PE32 nor PE32+");
        uint64_t directories = kDirectoryCountField + 4;
        if (directories <= optionalSize) {
            uint64_t count = U32(optional + kDirectoryCountField);
            uint64_t resourceEntry = directories + kResourceDirectory * kDirectoryEntrySize;
            if (count > kResourceDirectory && resourceEntry + kDirectoryEntrySize <= optionalSize) {
                treeRva_ = U32(optional + resourceEntry);
                treeSize_ = U32(optional + resourceEntry + 4);
            }
        }
        sections_ = optional + optionalSize;
        if (!Fits(sections_, uint64_t(sectionCount_) * kSectionHeaderSize)) {
            return Fail(PeLookup::Damaged, "its section table runs past the end of the file");
        }
        return PeLookup::Found;
    }

    enum class Mapping { Mapped, OutsideSections, PastEndOfFile };

    // The file offset of `size` bytes at `rva`, and where the bytes of the
    // section holding them end in the file.
    Mapping MapRva(uint32_t rva, uint64_t size, uint64_t& offset, uint64_t& sectionEnd) const {
        for (uint32_t i = 0; i < sectionCount_; ++i) {
            uint64_t header = sections_ + uint64_t(i) * kSectionHeaderSize;
            uint32_t address = U32(header + kSectionAddress);
            uint32_t rawSize = U32(header + kSectionRawSize);
            uint32_t rawOffset = U32(header + kSectionRawOffset);
            if (rva < address || rva - address >= rawSize) continue;
            uint64_t inSection = rva - address;
            if (size > rawSize - inSection) return Mapping::OutsideSections;
            if (!Fits(uint64_t(rawOffset) + inSection, size)) return Mapping::PastEndOfFile;
            offset = uint64_t(rawOffset) + inSection;
            uint64_t end = uint64_t(rawOffset) + rawSize;
            sectionEnd = end < length_ ? end : length_;
            return Mapping::Mapped;
        }
        return Mapping::OutsideSections;
    }

    PeLookup FailMapping(Mapping mapping, const std::string& what) {
        return Fail(PeLookup::Damaged, what + (mapping == Mapping::PastEndOfFile
                                                   ? " run past the end of the file (is it cut short?)"
                                                   : " lie outside the file's sections"));
    }

    // In the tree directory at `directory`, the entry numbered `*id` (or,
    // without an id, the first one) whose target is a subdirectory or, when
    // `wantDirectory` is false, a data entry; `target` is its file offset.
    PeLookup Descend(uint64_t directory, const uint32_t* id, bool wantDirectory, uint64_t& target) {
        if (!InTree(directory, kTreeDirectorySize)) {
            return Fail(PeLookup::Damaged, "a resource directory lies outside the resource section");
        }
        uint64_t entries = uint64_t(U16(directory + kNamedCountField)) + U16(directory + kIdCountField);
        uint64_t first = directory + kTreeDirectorySize;
        if (!InTree(first, entries * kTreeEntrySize)) {
            return Fail(PeLookup::Damaged, "a resource directory's entries run past the resource section");
        }
        for (uint64_t i = 0; i < entries; ++i) {
            uint64_t entry = first + i * kTreeEntrySize;
            uint32_t name = U32(entry);
            uint32_t offset = U32(entry + 4);
            if (id != nullptr && ((name & kHighBit) != 0 || name != *id)) continue;
            if (((offset & kHighBit) != 0) != wantDirectory) {
                return Fail(PeLookup::Damaged,
                            "the resource tree has a data entry where a directory belongs, or the reverse");
            }
            target = treeStart_ + (offset & ~kHighBit);
            return PeLookup::Found;
        }
        return PeLookup::Missing;
    }

    const uint8_t* bytes_;
    uint64_t length_;
    std::string& problem_;
    uint32_t sectionCount_ = 0;
    uint64_t sections_ = 0;
    uint32_t treeRva_ = 0;
    uint32_t treeSize_ = 0;
    uint64_t treeStart_ = 0;
    uint64_t treeEnd_ = 0;
};
}  // namespace

PeLookup FindPeResource(const uint8_t* bytes, size_t length, uint32_t type, uint32_t id, PeResource& resource,
                        std::string& problem) {
    resource = PeResource();
    problem.clear();
    return PeReader(bytes, length, problem).Find(type, id, resource);
}
