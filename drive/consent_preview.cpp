// Shows the consent screen of a built installer and leaves by "Salir", as a
// user would: used by build.sh when there is no display to show it on.
// Saves a screenshot of the screen and exits with the installer's exit code
// (100 when the installer could not be driven).
//
// Usage: consent_preview.exe INSTALLER.exe SCREENSHOT.bmp
#include <cstdio>
#include <exception>

#include "drive/installer_driver.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: consent_preview INSTALLER.exe SCREENSHOT.bmp\n");
        return 100;
    }
    try {
        InstallerDriver installer{std::string(argv[1])};
        installer.SaveScreenshot(argv[2]);
        installer.Press(LeaveId);
        std::optional<DWORD> code = installer.WaitForExit();
        if (!code) {
            std::fprintf(stderr, "consent_preview: the installer did not end after Salir\n");
            return 100;
        }
        return static_cast<int>(*code);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "consent_preview: %s\n", e.what());
        return 100;
    }
}
