#pragma once
// Prints an archive's records, one line each, in the manner of `tar -tv`:
//   kind  flags  size  name
// kind is root, dir, file or fill; flags are k (keepOnUpdate) and s
// (toSystemFolder), '-' where unset; names in UTF-8 with '/' between folders.
#include <ostream>
#include <string>

// Throws SmxToolError, after printing what it could, when a header or a
// file's content is cut short by the end of the archive.
void ListArchive(const std::string& path, std::ostream& out);
