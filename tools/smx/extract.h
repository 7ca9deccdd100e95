#pragma once
// Lays an archive's tree out below a folder, names converted to UTF-8 and
// '\' to '/'. The archive is checked whole first (see CheckArchive), so a
// damaged archive, or one with a name that would leave the folder, writes
// nothing. Nothing is written through a symbolic link already in the folder.
#include <string>

// Throws SmxToolError naming the archive or the path that failed.
void ExtractArchive(const std::string& archivePath, const std::string& targetDir);
