// The real payload pipeline end to end: an archive packed and compressed by
// smx on the host, bound to the installer, expanded by the system's
// decompressor under Wine and installed through the consent screen. Every
// record must arrive with its exact bytes.
#include <gtest/gtest.h>

#include "app/accept_flow.h"
#include "install/smx_reader.h"
#include "support/install_fixture.h"
#include "support/installer_session.h"

namespace {

TEST(PayloadPipeline, SampleProductPackedBySmxInstallsByteForByte) {
    std::string payloadText = ReadText(BesideTestProgram("sample_payload.cab"));
    InstallerSession session(ByteVector(payloadText.begin(), payloadText.end()));
    ASSERT_EQ(session.AcceptAnswering(IDNO), InstalledText);
    EXPECT_EQ(session.WaitForExit(), 0u);

    std::string folder = CommonProductFolder();
    SmFile archive(BesideTestProgram("sample_product.smx").c_str());
    SmxReader reader(archive);
    SmxRecord record;
    int files = 0;
    while (reader.Next(record)) {
        if (record.type != SmxRecordType::File) continue;
        ++files;
        std::string expected(record.header.size, '\0');
        ASSERT_TRUE(reader.ReadContent(record, expected.data()));
        EXPECT_EQ(ReadText(folder + "\\" + record.header.name), expected) << record.header.name;
    }
    EXPECT_GT(files, 5);
}

}  // namespace
