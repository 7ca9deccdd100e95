#pragma once
// The install state shared by the consent screen, the install run and the
// system registration. One instance each, for the whole process.
#include <cstddef>

constexpr size_t InstallPathSize = 512;

// Folder that receives the product folder; ends with a backslash. Set by the
// consent screen before the run.
extern char InstallBase[InstallPathSize];
// The product folder: InstallBase + the archive's root name, no trailing
// backslash. Set by the run, read by the registration.
extern char InstalledFolder[InstallPathSize];
// The run found an existing installation and updated it.
extern bool IsUpdate;
