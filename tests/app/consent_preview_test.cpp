// build.sh's preview of a built installer where there is no display: the
// consent screen photographed, the program left by "Salir" with its own exit
// code, and nothing installed.
#include <gtest/gtest.h>

#include <shlwapi.h>

#include <cstring>
#include <fstream>

#include "support/install_fixture.h"
#include "support/installer_session.h"
#include "support/program_run.h"

namespace {

TEST(ConsentPreview, PhotographsTheScreenAndLeavesBySalir) {
    ArchiveBuilder archive("OrvNet");
    archive.File("OrvNet.exe", "main program");
    std::string installer = CopyProgram("installer_bare.exe", PayloadOf(archive));
    std::string picture = installer + ".bmp";
    std::string command = QuotedArgument(BesideTestProgram("consent_preview.exe")) + " " +
                          QuotedArgument(installer) + " " + QuotedArgument(picture);

    EXPECT_EQ(RunProgram(command, 60000), 0u) << "the installer's own exit code after Salir";

    std::ifstream in(picture, std::ios::binary);
    char header[26] = {};
    ASSERT_TRUE(in.read(header, sizeof header)) << "no picture at " << picture;
    EXPECT_EQ(std::string(header, 2), "BM");
    int32_t width = 0, height = 0;
    std::memcpy(&width, header + 18, 4);
    std::memcpy(&height, header + 22, 4);
    EXPECT_GT(width, 600) << "the picture is of the whole screen, banner included";
    EXPECT_GT(height, 138);
    EXPECT_FALSE(PathFileExistsA(CommonProductFolder().c_str())) << "leaving installs nothing";
}

}  // namespace
