#include "archive_list.h"

#include <cstdio>

#include "archive_file.h"
#include "install/smx_reader.h"
#include "name_codec.h"
#include "tool_error.h"

namespace {
void PrintLine(std::ostream& out, const char* kind, const SmxHeader& h) {
    char fixed[48];
    std::snprintf(fixed, sizeof fixed, "%-4s %c%c %10u ", kind, h.keepOnUpdate ? 'k' : '-',
                  h.toSystemFolder ? 's' : '-', static_cast<unsigned>(h.size));
    out << fixed << DisplayName(h.name) << '\n';
}
}  // namespace

void ListArchive(const std::string& path, std::ostream& out) {
    auto file = OpenArchive(path);
    SmxReader reader(*file);
    if (!reader.RootComplete()) throw SmxToolError(path, "shorter than its 160-byte root header");
    PrintLine(out, "root", reader.Root());
    SmxRecord record;
    while (reader.Next(record)) {
        const char* kind = record.type == SmxRecordType::Filler      ? "fill"
                           : record.type == SmxRecordType::Directory ? "dir"
                                                                      : "file";
        PrintLine(out, kind, record.header);
        std::string where = "record at offset " + std::to_string(record.headerOffset);
        if (!record.headerComplete) throw SmxToolError(path, where + ": header cut short by the end of the archive");
        if (!record.contentComplete) throw SmxToolError(path, where + ": content runs past the end of the archive");
    }
}
