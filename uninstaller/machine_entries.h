#pragma once
// The four things an installation leaves outside the product folder: the
// server's autostart value, the product's uninstall key, the desktop
// shortcut and the uninstaller's copy in the Windows folder.
#include "common/product_names.h"

enum class EntryOutcome {
    Removed,
    Scheduled,  // removed when Windows next starts
    Absent,
    OtherFolder,  // names another installation's folder: left alone
    Failed,
};

// Each takes the product folder being uninstalled, without a trailing
// backslash. An entry that names another product folder belongs to another
// installation and stays.
EntryOutcome RemoveServerAutostart(const char* productFolder);
EntryOutcome RemoveUninstallEntry(const char* productFolder);
EntryOutcome RemoveDesktopShortcut(const char* productFolder);
// The running uninstaller may be this very file: what cannot be removed now
// is handed to the system's delayed deletion.
EntryOutcome RemoveUninstallerCopy();

// Name of the shortcut on the all-users desktop, after a backslash; the
// uninstaller's copy in the Windows folder is UninstallerName.
constexpr char ShortcutName[] = "\\OrvNet.lnk";
