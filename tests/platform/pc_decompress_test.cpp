// PC::Decompress expands the single file of an MSZIP cabinet through the
// system's setup library. The cabinet is made at build time by gcab from a
// known content file.
#include "platform/pc/pc.h"

#include <gtest/gtest.h>

#include <string>

#include "support/beside_test.h"
#include "support/temp_dir.h"

namespace {

TEST(PcDecompress, ExpandsAnMsZipCabinet) {
    PC pc;
    TempDir dir;
    std::string target = dir / "OrvNet.smx";
    std::string expected = BesideTest("cabinet_content.txt");
    ASSERT_EQ(pc.Decompress(BesideTest("cabinet.cab").c_str(), target.c_str()), 0u);
    EXPECT_EQ(ReadWholeFile(target), ReadWholeFile(expected));

    // An existing, longer target is replaced whole, not just overwritten.
    WriteWholeFile(target, std::string(200000, 'x'));
    ASSERT_EQ(pc.Decompress(BesideTest("cabinet.cab").c_str(), target.c_str()), 0u);
    EXPECT_EQ(ReadWholeFile(target), ReadWholeFile(expected));
}

TEST(PcDecompress, MissingSourceOrTargetFolderIsReportedWithoutATarget) {
    PC pc;
    TempDir dir;
    std::string target = dir / "out.smx";
    EXPECT_EQ(pc.Decompress((dir / "missing.cab").c_str(), target.c_str()),
              static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(pc.Exists(target.c_str()));

    std::string noFolder = dir / "missing-folder/out.smx";
    EXPECT_EQ(pc.Decompress(BesideTest("cabinet.cab").c_str(), noFolder.c_str()),
              static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_FALSE(pc.Exists(noFolder.c_str()));
}

// The system's decompressor does not always tell a damaged cabinet from a
// good one (Wine answers success), which is why callers check the target's
// content themselves. What it must never do is hand back the source's bytes
// as if they were the content.
TEST(PcDecompress, ANonCabinetNeverYieldsItsOwnBytesAsContent) {
    PC pc;
    TempDir dir;
    std::string source = dir / "plain.cab";
    std::string target = dir / "out.smx";
    WriteWholeFile(source, std::string("this is not a cabinet at all"));
    DWORD result = pc.Decompress(source.c_str(), target.c_str());
    RecordProperty("result", static_cast<int>(result));
    if (pc.Exists(target.c_str())) {
        EXPECT_NE(ReadWholeFile(target), ReadWholeFile(source));
    }
}

}  // namespace
