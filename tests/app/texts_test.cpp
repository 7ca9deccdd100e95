// The texts of the installer's message boxes, written here with escapes,
// byte by byte: a build that lost the Windows-1252 execution character set
// would show other bytes, and tests comparing with the same constants would
// not notice.
#include <gtest/gtest.h>

#include "app/accept_flow.h"
#include "install/run_install.h"

namespace {

TEST(InstallerTexts, AreWindows1252) {
    const struct {
        const char* text;
        const char* bytes;
    } cases[] = {
        {InstalledText, "El programa se instal\xF3 correctamente"},
        {UpdatedText, "El programa se actualiz\xF3 correctamente"},
        {FailedText, "Error de instalaci\xF3n"},
        {IncompatibleUpdateText, "La actualizaci\xF3n no es compatible con su programa"},
        {ServerQuestionText,
         "OrvServer es un programa que provee los datos de materiales a las m\xE1quinas de su red local. "
         "Autoriza configurar el registro para que OrvServer se inicie junto con Windows ? "},
    };
    for (const auto& c : cases) EXPECT_STREQ(c.text, c.bytes);
}

}  // namespace
