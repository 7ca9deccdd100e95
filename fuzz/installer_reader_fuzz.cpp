// The installer reader over arbitrary bytes: the resource look-up in the
// executable and the version resource reader, then the whole road smx takes
// for an installer (payload out, cabinet checked, archive checked as it is
// streamed out, then expanded and checked again from its file, with the
// same result). Nothing may be read outside the input; a payload that is
// found lies inside it; an archive that comes out has the length its cabinet
// records; no temporary file outlives the reader.
#include <filesystem>
#include <vector>

#include "archive_check.h"
#include "archive_source.h"
#include "input_file.h"
#include "pe_resource.h"
#include "tool_error.h"
#include "version_info.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // An exact-size copy, so that a read past the end shows under the
    // address sanitizer.
    std::vector<uint8_t> copy(data, data + size);
    PeResource payload;
    std::string problem;
    PeLookup lookup = FindPeResource(copy.data(), copy.size(), PeResourceTypeRcdata, PayloadResourceId, payload,
                                     problem);
    if (lookup == PeLookup::Found && (payload.fileOffset > size || payload.size > size - payload.fileOffset)) {
        Finding("a payload found outside the input");
    }
    if ((lookup == PeLookup::Found) != problem.empty()) Finding("a problem without a message, or the reverse");
    // The version resource reader, over the same bytes as a resource.
    VersionInfo version;
    std::string versionProblem;
    if (!ReadVersionInfo(copy.data(), copy.size(), version, versionProblem) && versionProblem.empty()) {
        Finding("a version resource refused without naming a problem");
    }

    const std::string& path = WriteInputFile(data, size);
    std::string archivePath;
    try {
        ArchiveSource source(path);
        archivePath = source.ArchivePath();
        if (source.IsInstaller()) {
            if (lookup != PeLookup::Found) Finding("an installer taken whose payload the look-up did not find");
            ArchiveCheck streamed = source.Check();
            source.Expand();
            archivePath = source.ArchivePath();
            std::error_code error;
            if (std::filesystem::file_size(archivePath, error) != source.Installer().cabinet.fileSize) {
                Finding("the expanded archive is not the length its cabinet records");
            }
            ArchiveCheck read;
            source.Run([&read](const std::string& archive) { read = CheckArchive(archive); });
            if (streamed.ok != read.ok || streamed.problem != read.problem ||
                streamed.summary.length != read.summary.length || streamed.summary.files != read.summary.files ||
                streamed.summary.flagged.size() != read.summary.flagged.size()) {
                Finding("the check of the streamed archive and of the expanded file disagree");
            }
        }
    } catch (const SmxToolError&) {
    }
    if (archivePath != path && !archivePath.empty() && std::filesystem::exists(archivePath)) {
        Finding("the expanded archive outlived the reader");
    }
    return 0;
}
