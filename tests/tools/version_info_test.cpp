// The reader of an installer's version resource: what it reads from a sound
// one, and that a cut or bent one is refused without reading past it.
#include <gtest/gtest.h>

#include "pe_image.h"
#include "version_info.h"

namespace {

ByteVector Sound() {
    return MakeVersionResource({2, 5, 0, 0}, {{u"CompanyName", u"Velmarisco"},
                                              {u"FileDescription", u"Instalaci\u00f3n de OrvNet"},
                                              {u"ProductName", u"OrvNet"}});
}

TEST(VersionInfo, ReadsTheFileVersionAndTheStringTable) {
    ByteVector bytes = Sound();
    VersionInfo info;
    std::string problem;
    ASSERT_TRUE(ReadVersionInfo(bytes.data(), bytes.size(), info, problem)) << problem;
    EXPECT_EQ(info.fileVersion, "2.5.0.0");
    EXPECT_EQ(info.Text("CompanyName"), "Velmarisco");
    EXPECT_EQ(info.Text("FileDescription"), "Instalaci\xC3\xB3n de OrvNet");  // UTF-8 for the terminal
    EXPECT_EQ(info.Text("ProductName"), "OrvNet");
    EXPECT_EQ(info.Text("OriginalFilename"), "");
    EXPECT_EQ(info.texts.size(), 3u);
}

// Cut anywhere, the root block no longer fits: refused. Every block length
// field set too long or too short: refused with a problem named, or read
// (reads past the bytes show in the installer reader's fuzz target, which
// runs this reader under the address sanitizer).
TEST(VersionInfo, CutOrBentResourcesAreRefusedWithinTheirBytes) {
    ByteVector bytes = Sound();
    for (size_t length = 0; length < bytes.size(); ++length) {
        ByteVector cut(bytes.begin(), bytes.begin() + length);
        VersionInfo info;
        std::string problem;
        EXPECT_FALSE(ReadVersionInfo(cut.data(), cut.size(), info, problem)) << length;
        EXPECT_NE(problem, "") << length;
    }
    for (size_t at = 0; at + 1 < bytes.size(); at += 2) {
        for (uint16_t bent : {uint16_t(0), uint16_t(5), uint16_t(0xFFFF)}) {
            ByteVector damaged = bytes;
            damaged[at] = static_cast<unsigned char>(bent & 0xFF);
            damaged[at + 1] = static_cast<unsigned char>(bent >> 8);
            VersionInfo info;
            std::string problem;
            if (!ReadVersionInfo(damaged.data(), damaged.size(), info, problem)) {
                EXPECT_NE(problem, "") << at;
            }
        }
    }
    ByteVector noSignature = bytes;
    noSignature[40] ^= 0xFF;  // inside the fixed part's signature
    VersionInfo info;
    std::string problem;
    EXPECT_FALSE(ReadVersionInfo(noSignature.data(), noSignature.size(), info, problem));
}

}  // namespace
