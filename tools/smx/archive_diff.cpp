#include "archive_diff.h"

#include <map>
#include <string>

#include "name_codec.h"

namespace {
// Digests are shown cut to 12 hex digits: enough to tell contents apart by eye.
constexpr size_t kShownDigest = 12;

std::string Flags(const ArchiveEntry& e) {
    return std::string(1, e.keepOnUpdate ? 'k' : '-') + (e.toSystemFolder ? 's' : '-');
}

std::string Kind(const ArchiveEntry& e) { return e.directory ? "dir  " : "file "; }

std::string Described(const ArchiveEntry& e) {
    std::string line = Kind(e) + DisplayName(e.name);
    if (!e.directory) {
        line += " (" + std::to_string(e.size) + " bytes";
        if (e.keepOnUpdate || e.toSystemFolder) line += ", " + Flags(e);
        line += ")";
    }
    return line;
}

// What an update does to installed machines when the flags change.
std::string FlagNote(const ArchiveEntry& before, const ArchiveEntry& after) {
    if (after.keepOnUpdate && !before.keepOnUpdate) return "; an update now keeps the installed copy";
    if (before.keepOnUpdate && !after.keepOnUpdate) return "; an update now overwrites the installed copy";
    if (after.toSystemFolder) return "; now installed in the system folder and self-registered";
    return "; now installed in the product folder";
}

using Index = std::map<std::string, const ArchiveEntry*>;

Index IndexByFoldedName(const ArchiveContents& contents) {
    Index index;
    for (const ArchiveEntry& e : contents.entries) index[FoldCp1252(e.name)] = &e;
    return index;
}

// The same name holds the same kind of record in both.
const ArchiveEntry* Counterpart(const Index& index, const ArchiveEntry& e) {
    auto found = index.find(FoldCp1252(e.name));
    return found != index.end() && found->second->directory == e.directory ? found->second : nullptr;
}

void CompareFile(const ArchiveEntry& before, const ArchiveEntry& after, DiffCounts& counts, std::ostream& out) {
    if (before.sha256 != after.sha256) {
        ++counts.changed;
        out << "~ file " << DisplayName(after.name) << ": " << before.size << " -> " << after.size
            << " bytes, SHA-256 " << before.sha256.substr(0, kShownDigest) << " -> "
            << after.sha256.substr(0, kShownDigest);
        if (before.keepOnUpdate && after.keepOnUpdate) out << "; kept on update: installed machines keep their copy";
        out << '\n';
    }
    if (Flags(before) != Flags(after)) {
        ++counts.reflagged;
        out << "~ flags " << DisplayName(after.name) << ": " << Flags(before) << " -> " << Flags(after)
            << FlagNote(before, after) << '\n';
    }
}
}  // namespace

DiffCounts DiffArchives(const ArchiveContents& before, const ArchiveContents& after, std::ostream& out) {
    DiffCounts counts;
    if (before.rootName != after.rootName) {
        ++counts.changed;
        out << "~ root " << DisplayName(before.rootName) << " -> " << DisplayName(after.rootName)
            << "; an update installs into another product folder\n";
    }
    Index beforeIndex = IndexByFoldedName(before);
    Index afterIndex = IndexByFoldedName(after);
    for (const ArchiveEntry& e : after.entries) {
        const ArchiveEntry* old = Counterpart(beforeIndex, e);
        if (old == nullptr) {
            ++counts.added;
            out << "+ " << Described(e) << '\n';
        } else if (!e.directory) {
            CompareFile(*old, e, counts, out);
        }
    }
    for (const ArchiveEntry& e : before.entries) {
        if (Counterpart(afterIndex, e) != nullptr) continue;
        ++counts.removed;
        out << "- " << Described(e) << '\n';
    }
    if (counts.added + counts.removed + counts.changed + counts.reflagged == 0) {
        out << "no differences\n";
        return counts;
    }
    out << counts.added << " added, " << counts.removed << " removed, " << counts.changed << " changed, "
        << counts.reflagged << " re-flagged\n";
    // The install run writes records; it deletes nothing it does not replace.
    if (counts.removed > 0) out << "an update removes nothing: removed records stay on installed machines\n";
    return counts;
}
