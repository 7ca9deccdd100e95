#include "archive_file.h"

#include <filesystem>

#include "tool_error.h"

namespace fs = std::filesystem;

std::unique_ptr<SmFile> OpenArchive(const std::string& path) {
    std::error_code error;
    fs::file_status status = fs::status(path, error);
    if (error || !fs::exists(status)) throw SmxToolError(path, "no such file");
    if (!fs::is_regular_file(status)) throw SmxToolError(path, "is not a regular file");
    uint64_t length = fs::file_size(path, error);
    if (error) throw SmxToolError(path, "cannot read: " + error.message());
    if (length > 0xFFFFFFFFull) throw SmxToolError(path, "is 4 GiB or larger; archives are smaller");
    auto file = std::make_unique<SmFile>(path.c_str());
    if (!file->IsOpen()) throw SmxToolError(path, "cannot open");
    return file;
}
