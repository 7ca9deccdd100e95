#pragma once
// The install run: turns the embedded payload into the package archive in
// the temporary folder, decides between a fresh installation and an update,
// lays every record of the archive on disk below the product folder (or, for
// marked components, in the system folder) and, for a fresh installation,
// asks about the data server, registers the product, creates the
// configuration table and the desktop shortcut.
//
// Reports on the progress bar (file records done, of the root's total) and
// the status line. True when the installation or update is complete; false
// when the payload or archive is unusable, the update was refused as
// incompatible, or any file or value could not be written.
#include "common/product_texts.h"
#include "common/progress_sink.h"

bool RunInstall(ProgressSink& progress, StatusSink& status);

