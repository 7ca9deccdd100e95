#pragma once
// The mark of a fresh installation that has not finished. A fresh
// installation puts it in the product folder before it lays any file there
// and removes it only once the server question is answered, the product
// registered and the shortcut made. A run that finds the product's main
// program beside this mark finishes the fresh installation instead of taking
// the folder for an installed product: a fresh installation killed part way
// (a crash, a power cut, a log-off) would otherwise be "updated" for ever,
// and an update registers nothing. A folder that a finished run left never
// holds the mark, so it is updated as before.
//
// The mark is a short Spanish note for whoever finds it in the folder.
#include <cstddef>

constexpr char UnfinishedInstallName[] = "Instalacion-sin-terminar.txt";

// True when the mark is in the product folder.
bool IsInstallUnfinished(const char* productFolder);
// Writes the mark. False when it could not be written in full.
bool MarkInstallUnfinished(const char* productFolder);
// Removes the mark. False when it is still there.
bool MarkInstallFinished(const char* productFolder);
