#pragma once
// Opens an existing archive for the shared reader. The file object creates a
// missing file, so the path is checked first: a typo must not leave an empty
// file behind.
#include <memory>
#include <string>

#include "platform/files/sm_file.h"

// Throws SmxToolError when the path is not a readable regular file below
// 4 GiB.
std::unique_ptr<SmFile> OpenArchive(const std::string& path);
