// The installer as build.sh --sign ships it: the sample product's payload
// bound in, signed with Authenticode on the build host. The signature sits
// after the program's sections, where the loader does not look, so the
// signed installer must run and install exactly as the unsigned one does.
#include <gtest/gtest.h>
#include "common/byte_order.h"

#include "app/accept_flow.h"
#include "support/install_fixture.h"
#include "support/installer_session.h"

namespace {

// The size of the certificate table: data directory 4 of the PE32 header.
uint32_t CertificateTableSize(const std::string& program) {
    std::string bytes = ReadText(program);
    auto u32 = [&](size_t at) {
        return at + 4 <= bytes.size() ? ReadU32(reinterpret_cast<const uint8_t*>(bytes.data() + at)) : 0u;
    };
    const size_t optionalHeader = u32(0x3C) + 24;
    return u32(optionalHeader + 96 + 4 * 8 + 4);
}

BOOL CALLBACK CollectLanguage(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR languages) {
    reinterpret_cast<std::vector<WORD>*>(languages)->push_back(language);
    return TRUE;
}

// The payload is the same product for every language: one resource, neutral.
TEST(SignedInstaller, CarriesItsPayloadAsOneLanguageNeutralResource) {
    HMODULE image = LoadLibraryExA(BesideTestProgram("OrvNetSetup_signed.exe").c_str(), nullptr,
                                   LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(image, nullptr);
    std::vector<WORD> languages;
    EnumResourceLanguagesA(image, MAKEINTRESOURCEA(10), MAKEINTRESOURCEA(9001), CollectLanguage,
                           reinterpret_cast<LONG_PTR>(&languages));
    FreeLibrary(image);
    EXPECT_EQ(languages, std::vector<WORD>{MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL)});
}

TEST(SignedInstaller, InstallsTheSampleProductByteForByte) {
    std::string program = BesideTestProgram("OrvNetSetup_signed.exe");
    ASSERT_GT(CertificateTableSize(program), 0u) << "not signed";
    InstallerSession session(program);
    ASSERT_EQ(session.AcceptAnswering(IDNO), InstalledText);
    EXPECT_EQ(session.WaitForExit(), 0u);

    // The same tree as smx extract laid out from the archive inside the
    // payload, plus the configuration table a fresh installation makes.
    std::string installed = CommonProductFolder();
    std::string extracted = BesideTestProgram("extracted");
    std::vector<std::string> expected = ListTree(extracted);
    expected.push_back("Data\\ConfigL.tbl");
    std::sort(expected.begin(), expected.end());
    ASSERT_EQ(ListTree(installed), expected);
    for (const std::string& entry : expected) {
        if (entry.back() == '\\' || entry == "Data\\ConfigL.tbl") continue;
        EXPECT_EQ(ReadText(installed + "\\" + entry), ReadText(extracted + "\\" + entry)) << entry;
    }
}

}  // namespace
