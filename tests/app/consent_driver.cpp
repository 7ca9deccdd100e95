// Shows the consent screen of a built installer and leaves by "Salir", as a
// user would: used by build.sh when there is no display to show it on.
// Saves a screenshot of the screen and exits with the installer's exit code
// (100 when the installer could not be driven).
//
// Usage: consent_driver.exe INSTALLER.exe SCREENSHOT.bmp
#include <cstdio>
#include <exception>

#include "support/installer_session.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: consent_driver INSTALLER.exe SCREENSHOT.bmp\n");
        return 100;
    }
    try {
        InstallerSession session{std::string(argv[1])};
        session.SaveScreenshot(argv[2]);
        session.Press(LeaveId);
        std::optional<DWORD> code = session.WaitForExit();
        if (!code) {
            std::fprintf(stderr, "consent_driver: the installer did not end after Salir\n");
            return 100;
        }
        return static_cast<int>(*code);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "consent_driver: %s\n", e.what());
        return 100;
    }
}
