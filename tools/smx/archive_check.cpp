#include "archive_check.h"

#include <map>
#include <string>

#include "archive_file.h"
#include "archive_stream.h"
#include "install/smx_reader.h"
#include "name_codec.h"
#include "windows_name.h"

namespace {
class Checker {
public:
    explicit Checker(ArchiveCheck& result) : result_(result) {}

    void CheckRoot(const SmxHeader& root, bool rootComplete, uint32_t length) {
        if (!rootComplete) {
            return Fail("archive has " + std::to_string(length) +
                        " bytes, fewer than its 160-byte root header");
        }
        if (root.kind != SmxKindRoot) return Fail("root record: kind is " + std::to_string(root.kind) + ", not 0");
        if (root.keepOnUpdate || root.toSystemFolder) return Fail("root record: carries file flags");
        if (!CheckNameField("root record", root)) return;
        std::string problem = WindowsComponentProblem(root.name);
        if (problem.empty() && !Cp1252ToUtf8(root.name, scratch_)) problem = "holds a byte that is no Windows-1252 character";
        if (!problem.empty()) return Fail("root record: " + problem);
    }

    void CheckRecord(const SmxRecord& record) {
        const SmxHeader& h = record.header;
        std::string where = "record at offset " + std::to_string(record.headerOffset);
        if (h.name[0] != '\0') where += " (" + DisplayName(h.name) + ")";
        if (!record.headerComplete) return Fail(where + ": header cut short by the end of the archive");
        if (!CheckNameField(where, h)) return;
        if (record.type == SmxRecordType::Filler) return;
        if (h.kind != SmxKindDirectory && h.kind != SmxKindFile) {
            return Fail(where + ": kind is " + std::to_string(h.kind) + ", neither 1 (directory) nor 2 (file)");
        }
        std::string problem = ArchiveNameProblem(h.name);
        if (!problem.empty()) return Fail(where + ": " + problem);
        std::string name = h.name;
        std::string folded = FoldCp1252(name);
        size_t slash = folded.rfind('\\');
        if (slash != std::string::npos) {
            auto parent = seen_.find(folded.substr(0, slash));
            if (parent == seen_.end() || !parent->second.isDirectory) {
                return Fail(where + ": its folder " + DisplayName(name.substr(0, slash)) +
                            " has no earlier directory record");
            }
        }
        auto earlier = seen_.find(folded);
        if (earlier != seen_.end()) {
            return Fail(where + ": same name as the record at offset " + std::to_string(earlier->second.offset) +
                        " (letter case aside)");
        }
        bool isDirectory = record.type == SmxRecordType::Directory;
        seen_[folded] = Seen{record.headerOffset, isDirectory};
        if (isDirectory) {
            if (h.size != 0) return Fail(where + ": directory record has size " + std::to_string(h.size));
            if (h.keepOnUpdate || h.toSystemFolder) return Fail(where + ": directory record carries file flags");
            ++result_.summary.directories;
            return;
        }
        if (!record.contentComplete) {
            return Fail(where + ": content of " + std::to_string(h.size) +
                        " bytes runs past the end of the archive (" + std::to_string(result_.summary.length) +
                        " bytes)");
        }
        ++result_.summary.files;
        result_.summary.contentBytes += h.size;
        if (h.keepOnUpdate || h.toSystemFolder) {
            result_.summary.flagged.push_back(FlaggedFile{name, h.keepOnUpdate != 0, h.toSystemFolder != 0});
        }
    }

    void CountFiller() { ++result_.summary.fillers; }

    void CheckTotals() {
        const ArchiveSummary& s = result_.summary;
        if (uint64_t(s.rootSize) != uint64_t(s.files) + 1) {
            return Fail("root record: size is " + std::to_string(s.rootSize) + ", but the archive has " +
                        std::to_string(s.files) + " file records (size must be that + 1)");
        }
        if (s.rootSize > SmxMaxProgressTotal) {
            return Fail("root record: size " + std::to_string(s.rootSize) + " exceeds " +
                        std::to_string(SmxMaxProgressTotal));
        }
    }

    bool Failed() const { return !result_.ok; }

private:
    struct Seen {
        uint32_t offset;
        bool isDirectory;
    };

    bool CheckNameField(const std::string& where, const SmxHeader& h) {
        if (!h.nameTerminated) {
            Fail(where + ": name field has no terminating NUL");
        } else if (!h.nameTailClean) {
            Fail(where + ": name field has nonzero bytes after its terminating NUL");
        }
        return result_.ok;
    }

    void Fail(const std::string& problem) {
        result_.ok = false;
        result_.problem = problem;
    }

    ArchiveCheck& result_;
    std::map<std::string, Seen> seen_;
    std::string scratch_;
};

// Over SmxReader or ArchiveStream: the same walk of the same bytes.
template <class Walker>
ArchiveCheck CheckWalk(Walker& walker) {
    ArchiveCheck result;
    result.summary.length = walker.Length();
    result.summary.rootName = walker.Root().name;
    result.summary.rootSize = walker.Root().size;
    Checker checker(result);
    checker.CheckRoot(walker.Root(), walker.RootComplete(), walker.Length());
    SmxRecord record;
    while (!checker.Failed() && walker.Next(record)) {
        checker.CheckRecord(record);
        if (record.type == SmxRecordType::Filler && !checker.Failed()) checker.CountFiller();
    }
    if (!checker.Failed()) checker.CheckTotals();
    return result;
}
}  // namespace

ArchiveCheck CheckArchive(const std::string& path) {
    auto file = OpenArchive(path);
    SmxReader reader(*file);
    return CheckWalk(reader);
}

ArchiveCheck CheckArchive(ArchiveStream& stream) { return CheckWalk(stream); }
