// The installer reader's look-up of a resource in a Windows executable:
// it finds the payload among other resources, and reports every kind of
// damage to the headers or the resource tree without reading past the bytes.
#include <gtest/gtest.h>

#include <functional>

#include "pe_image.h"
#include "pe_resource.h"

namespace {

PeImage Sample() {
    return MakePeImage({{PeResourceTypeRcdata, 9001, Text("the payload")},
                        {PeResourceTypeRcdata, 9002, Text("another")},
                        {14, 1, Text("icon group")}});
}

PeLookup Lookup(const ByteVector& bytes, PeResource& resource, std::string& problem) {
    // An exact-size copy: a read past the end is a read past the allocation.
    ByteVector copy(bytes);
    return FindPeResource(copy.data(), copy.size(), PeResourceTypeRcdata, 9001, resource, problem);
}

TEST(PeResource, FindsThePayloadAmongOtherResources) {
    PeImage image = Sample();
    PeResource resource;
    std::string problem;
    ASSERT_EQ(Lookup(image.bytes, resource, problem), PeLookup::Found) << problem;
    ASSERT_EQ(resource.size, 11u);
    EXPECT_EQ(std::string(image.bytes.begin() + resource.fileOffset, image.bytes.begin() + resource.fileOffset + 11),
              "the payload");

    ASSERT_EQ(FindPeResource(image.bytes.data(), image.bytes.size(), 14, 1, resource, problem), PeLookup::Found);
    EXPECT_EQ(std::string(image.bytes.begin() + resource.fileOffset, image.bytes.begin() + resource.fileOffset + 10),
              "icon group");
}

TEST(PeResource, SaysWhatIsWrongWithAFileThatHasNoPayload) {
    const struct {
        const char* what;
        std::function<ByteVector()> bytes;
        PeLookup expected;
        const char* problem;
    } cases[] = {
        {"empty file", [] { return ByteVector{}; }, PeLookup::NotExecutable, "no MZ header"},
        {"text", [] { return Text("just some text, not a program at all, no headers in it anywhere at all"); },
         PeLookup::NotExecutable, "no MZ header"},
        {"MZ header cut short", [] { return Text("MZ"); }, PeLookup::NotExecutable, "its MZ header is cut short"},
        {"MZ pointing past the end",
         [] {
             ByteVector b = Sample().bytes;
             PutU32(b, 0x3C, 0xFFFFFFF0u);
             return b;
         },
         PeLookup::NotExecutable, "no PE header where its MZ header points"},
        {"other resources only", [] { return MakePeImage({{14, 1, Text("icon")}, {10, 9002, Text("x")}}).bytes; },
         PeLookup::Missing, "a Windows program without RCDATA 9001"},
        {"no resource directory",
         [] {
             PeImage image = Sample();
             PutU32(image.bytes, image.resourceEntry, 0);
             return image.bytes;
         },
         PeLookup::Missing, "a Windows program without resources"},
        {"64-bit program",
         [] {
             PeImage image = Sample();
             image.bytes[image.peHeader + 24] = 0x0B;
             image.bytes[image.peHeader + 25] = 0x02;
             return image.bytes;
         },
         PeLookup::Missing, "a 64-bit Windows program"},
        {"section table past the end",
         [] {
             PeImage image = Sample();
             image.bytes[image.peHeader + 6] = 0xFF;
             image.bytes[image.peHeader + 7] = 0xFF;
             return image.bytes;
         },
         PeLookup::Damaged, "its section table runs past the end of the file"},
        {"resource directory outside the sections",
         [] {
             PeImage image = Sample();
             PutU32(image.bytes, image.resourceEntry, 0x900000);
             return image.bytes;
         },
         PeLookup::Damaged, "its resource directory's bytes lie outside the file's sections"},
        {"section said to lie past the end",
         [] {
             PeImage image = Sample();
             PutU32(image.bytes, image.sectionHeader + 20, 0x7FFFFFF0u);
             return image.bytes;
         },
         PeLookup::Damaged, "its resource directory's bytes run past the end of the file (is it cut short?)"},
        {"directory with more entries than the section holds",
         [] {
             PeImage image = Sample();
             image.bytes[0x200 + 14] = 0xFF;
             image.bytes[0x200 + 15] = 0xFF;
             return image.bytes;
         },
         PeLookup::Damaged, "a resource directory's entries run past the resource section"},
        {"subdirectory offset outside the section",
         [] {
             PeImage image = Sample();
             PutU32(image.bytes, 0x200 + 16 + 4, 0x80000000u | 0x7FFFFF00u);
             return image.bytes;
         },
         PeLookup::Damaged, "a resource directory lies outside the resource section"},
        {"data entry where a directory belongs",
         [] {
             PeImage image = Sample();
             PutU32(image.bytes, 0x200 + 16 + 4, 0x10);
             return image.bytes;
         },
         PeLookup::Damaged, "the resource tree has a data entry where a directory belongs, or the reverse"},
        {"payload larger than its section",
         [] {
             PeImage image = Sample();
             PutU32(image.bytes, image.firstDataEntry + 4, 0x10000000u);
             return image.bytes;
         },
         PeLookup::Damaged, "RCDATA 9001: its 268435456 bytes lie outside the file's sections"},
        {"payload RVA outside the sections",
         [] {
             PeImage image = Sample();
             PutU32(image.bytes, image.firstDataEntry, 0x50);
             return image.bytes;
         },
         PeLookup::Damaged, "RCDATA 9001: its 11 bytes lie outside the file's sections"},
        {"cut in the middle of the payload",
         [] {
             PeImage image = Sample();
             image.bytes.resize(image.firstData + 5);
             return image.bytes;
         },
         PeLookup::Damaged, "RCDATA 9001: its 11 bytes run past the end of the file (is it cut short?)"},
    };
    for (const auto& c : cases) {
        PeResource resource;
        std::string problem;
        EXPECT_EQ(Lookup(c.bytes(), resource, problem), c.expected) << c.what;
        EXPECT_EQ(problem, c.problem) << c.what;
    }
}

// Every length the file could be cut to: the look-up either finds the whole
// payload inside the bytes it was given or says why not.
TEST(PeResource, EveryTruncationIsFoundOrRefused) {
    ByteVector full = Sample().bytes;
    for (size_t length = 0; length < full.size(); ++length) {
        ByteVector cut(full.begin(), full.begin() + length);
        PeResource resource;
        std::string problem;
        PeLookup result = Lookup(cut, resource, problem);
        if (result == PeLookup::Found) {
            EXPECT_LE(resource.fileOffset + resource.size, length);
        } else {
            EXPECT_FALSE(problem.empty()) << length;
        }
    }
}

}  // namespace
