#pragma once
// What the install run does with one file record of the package archive.
// Each action reports whether the file on disk is now what it should be, so
// that the run can tell a complete installation from a damaged one.
#include <cstdint>

// Writes a new file at path: one write of the whole content at offset 0.
// A file that could not be written in full is removed again, so no
// half-written file is left behind.
bool WriteNewFile(const char* path, const void* content, uint32_t size);

// A folder of the product (a directory record, the product folder itself):
// made with every missing parent. False when no folder is there afterwards
// (a file of that name, a folder that could not be created).
bool MakeProductFolder(const char* path);

// A plain product file: the packaged content replaces whatever is at path.
// An existing file that cannot be removed (another program holds it) is left
// untouched and reported (false).
bool InstallPlainFile(const char* path, const void* content, uint32_t size);

// A file whose present content is kept on update. On an update where the
// file exists, its previous bytes are written over the packaged ones (so it
// keeps them all, followed by any packaged bytes beyond their length);
// otherwise the packaged content replaces it. The result is written beside
// the file first and moved over it only once complete, so the previous
// content survives any failure.
bool MergeKeptFile(const char* path, const void* content, uint32_t size, bool isUpdate);

// A plain file replaced at once: the packaged content is written beside it
// and moved over it only when complete, so the file is never absent, even
// when the run is killed half way. For the product's main program, whose
// presence tells an installed product from a fresh machine.
bool ReplaceFileWhole(const char* path, const void* content, uint32_t size);

enum class ComponentOutcome { Installed, Skipped, Failed };

// A component for the system folder, written and self-registered there. On
// an update only components whose name begins with "Sm" are considered; one
// that another program holds is skipped (not written, not registered).
ComponentOutcome InstallSystemComponent(const char* path, const char* name, const void* content, uint32_t size,
                                        bool isUpdate);
