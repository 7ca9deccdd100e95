#pragma once
// Making the installed product known to Windows: the data server's
// autostart value, the product's entry in the list of installed programs
// (with the uninstaller copied into the Windows folder), and the
// self-registration of components placed in the system folder.
#include <windows.h>

#include "common/product_names.h"

// Writes "OrvServer" under the machine's Run key (productFolder +
// "\OrvServer\OrvServer.exe"), then WriteUninstallEntry. True when every
// value that was due was written.
bool RegisterServerAutostart(const char* productFolder);

// Copies InstalledFolder\DesinstalarOrv25.exe into the Windows folder and
// writes the five uninstall values. Without the uninstaller in the product
// folder nothing is done (true: there is nothing to register). False when
// the copy or a value could not be written.
bool WriteUninstallEntry();

// True when path can take a new file: nothing is there, or the file there was
// free (openable for exclusive writing) and has been removed. False when
// another program holds it.
bool ClearForReplace(const char* path);

// Loads the library, calls its DllRegisterServer and unloads it. The entry
// point's result, or 0 when the library cannot be loaded or has none.
int SelfRegisterComponent(const char* path);
