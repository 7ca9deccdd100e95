#include "archive_manifest.h"

#include <iomanip>

#include "name_codec.h"

namespace {
constexpr int kLabelWidth = 16;

void Line(std::ostream& out, const char* label, const std::string& value) {
    out << "  " << std::left << std::setw(kLabelWidth) << label << value << '\n';
}

// A file with both flags is only kept on update: keepOnUpdate is tested first.
void PrintFlaggedFiles(const ArchiveSummary& summary, std::ostream& out) {
    for (const FlaggedFile& file : summary.flagged) {
        Line(out, file.keepOnUpdate ? "keep on update" : "system folder", DisplayName(file.name));
    }
}
}  // namespace

void PrintManifest(const ArchiveSource& source, const ArchiveSummary& summary, std::ostream& out) {
    const InstallerFacts& facts = source.Installer();
    Line(out, "product", DisplayName(summary.rootName));
    Line(out, "content", std::to_string(summary.files) + " files in " + std::to_string(summary.directories) +
                             " folders, " + std::to_string(summary.contentBytes) + " bytes");
    PrintFlaggedFiles(summary, out);
    Line(out, "cabinet", facts.cabinet.fileName + ", " + std::to_string(facts.cabinet.cabinetSize) + " bytes, " +
                             std::to_string(facts.cabinet.blockCount) + " blocks, SHA-256 " + facts.cabinetSha256);
    Line(out, "installer", "SHA-256 " + facts.installerSha256);
    if (!facts.hasVersion) {
        Line(out, "version", "none (no version resource)");
        return;
    }
    const VersionInfo& version = facts.version;
    Line(out, "version", version.fileVersion);
    const char* const shown[][2] = {{"ProductName", "product name"},     {"ProductVersion", "product version"},
                                    {"CompanyName", "company"},          {"FileDescription", "description"},
                                    {"OriginalFilename", "original name"}};
    for (const auto& text : shown) Line(out, text[1], version.Text(text[0]));
}
