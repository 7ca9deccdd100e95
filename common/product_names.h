#pragma once
// The names of the product's own files and registry entries, in one place
// for the installer, the uninstaller and the tests.

// Below the product folder.
constexpr char UninstallerName[] = "\\DesinstalarOrv25.exe";   // also its copy's name in the Windows folder
constexpr char ServerProgram[] = "\\OrvServer\\OrvServer.exe";
constexpr char ServerProgramName[] = "OrvServer.exe";          // the running server's process name

// Under HKEY_LOCAL_MACHINE.
constexpr char RunKey[] = "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\RUN";
constexpr char ServerValue[] = "OrvServer";
constexpr char UninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\OrvNet";
