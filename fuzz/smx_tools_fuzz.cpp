// smx verify, list and extract over arbitrary bytes. They must never crash,
// must agree with each other, and extract must write nothing for an archive
// that verify refuses, and only inside its target folder for one it takes.
#include <filesystem>
#include <sstream>

#include "archive_check.h"
#include "archive_list.h"
#include "extract.h"
#include "input_file.h"
#include "tool_error.h"

namespace fs = std::filesystem;

namespace {
// Everything below root, as paths relative to it; false when a symbolic
// link or anything but plain files and folders turned up.
bool OnlyPlainEntries(const fs::path& root, size_t& entries) {
    entries = 0;
    if (!fs::exists(root)) return true;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_symlink() || !(entry.is_regular_file() || entry.is_directory())) return false;
        ++entries;
    }
    return true;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& path = WriteInputFile(data, size);
    ArchiveCheck check = CheckArchive(path);
    if (!check.ok && check.problem.empty()) Finding("verify refused without naming a problem");

    std::ostringstream listing;
    bool listed = true;
    try {
        ListArchive(path, listing);
    } catch (const SmxToolError&) {
        listed = false;
    }
    if (check.ok && !listed) Finding("list failed on an archive that verify takes");

    const fs::path scratch = EmptyScratchFolder();
    const fs::path target = scratch / "target";
    bool extracted = true;
    try {
        ExtractArchive(path, target.string());
    } catch (const SmxToolError&) {
        extracted = false;
    }
    if (extracted != check.ok) Finding("extract and verify disagree");
    size_t entries = 0;
    if (!OnlyPlainEntries(scratch, entries)) Finding("extract made something other than files and folders");
    if (!check.ok && entries > 0) Finding("extract wrote something for a refused archive");
    for (const auto& entry : fs::directory_iterator(scratch)) {
        if (entry.path() != target) Finding("extract wrote beside its target folder");
    }
    if (check.ok) {
        uint64_t written = 0;
        size_t files = 0;
        for (const auto& entry : fs::recursive_directory_iterator(target)) {
            if (entry.is_regular_file()) {
                written += entry.file_size();
                ++files;
            }
        }
        if (files != check.summary.files || written != check.summary.contentBytes) {
            Finding("extract laid out other files than verify counted");
        }
    }
    return 0;
}
