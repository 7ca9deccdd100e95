#pragma once
// The consent screen's handlers.
#include "common/product_texts.h"

// Chooses the install base, runs the installation while the screen shows
// its progress, and reports the outcome; on success the screen is closed.
void AcceptClicked();
// Leaves: closes the screen, which ends the program.
void ExitClicked();
// Keeps the screen at the size it had when first shown; moving it is free.
void KeepSize();

// Fills InstallBase: the parent of the user's documents folder when the
// product is installed there, otherwise the parent of the common documents
// folder. Ends with a separator.
void ChooseInstallBase();

