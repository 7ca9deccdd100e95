#include "archive_source.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "archive_stream.h"
#include "pe_resource.h"
#include "progress_bar.h"
#include "sha256.h"
#include "tool_error.h"
#include "tools/cab/cab_expand.h"

namespace fs = std::filesystem;

namespace {
const char kPayload[] = "payload (RCDATA 9001): ";

bool StartsWithMz(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    char magic[2] = {};
    return in.read(magic, 2) && magic[0] == 'M' && magic[1] == 'Z';
}

std::vector<uint8_t> ReadExecutable(const std::string& path) {
    std::error_code error;
    if (!fs::is_regular_file(path, error)) throw SmxToolError(path, "is not a regular file");
    if (fs::file_size(path, error) > 0xFFFFFFFFull) throw SmxToolError(path, "is 4 GiB or larger; installers are smaller");
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) throw SmxToolError(path, "cannot read");
    return bytes;
}

// The cabinet checks name the file they read; here that is our private
// copy of the payload, which the user never saw.
std::string WithoutPath(const std::string& error, const std::string& path) {
    return error.rfind(path + ": ", 0) == 0 ? error.substr(path.size() + 2) : error;
}
}  // namespace

ArchiveSource::ArchiveSource(const std::string& path) : path_(path), archivePath_(path) {
    if (StartsWithMz(path)) TakeApart();
}

void ArchiveSource::ReadVersion(const std::vector<uint8_t>& executable, InstallerFacts& facts) const {
    PeResource resource;
    std::string problem;
    switch (FindPeResource(executable.data(), executable.size(), PeResourceTypeVersion, 1, resource, problem)) {
    case PeLookup::Found: break;
    case PeLookup::Missing: return;
    case PeLookup::NotExecutable:
    case PeLookup::Damaged: throw SmxToolError(path_, "damaged Windows program: " + problem);
    }
    if (!ReadVersionInfo(executable.data() + resource.fileOffset, resource.size, facts.version, problem)) {
        throw SmxToolError(path_, "damaged version resource: " + problem);
    }
    facts.hasVersion = true;
}

void ArchiveSource::TakeApart() {
    std::vector<uint8_t> executable = ReadExecutable(path_);
    PeResource payload;
    std::string problem;
    switch (FindPeResource(executable.data(), executable.size(), PeResourceTypeRcdata, PayloadResourceId, payload,
                           problem)) {
    case PeLookup::Found: break;
    case PeLookup::NotExecutable: throw SmxToolError(path_, "neither an archive nor a Windows program: " + problem);
    case PeLookup::Missing: throw SmxToolError(path_, "not an OrvNet installer: " + problem);
    case PeLookup::Damaged: throw SmxToolError(path_, "damaged Windows program: " + problem);
    }
    if (payload.size == 0) throw SmxToolError(path_, std::string(kPayload) + "empty");

    auto facts = std::make_unique<InstallerFacts>();
    const uint8_t* cabinet = executable.data() + payload.fileOffset;
    facts->installerSha256 = Sha256Hex(executable.data(), executable.size());
    facts->cabinetSha256 = Sha256Hex(cabinet, payload.size);

    ReadVersion(executable, *facts);

    folder_ = std::make_unique<PrivateFolder>();
    cabinetPath_ = *folder_ / "OrvNet.cab";
    {
        std::ofstream out(cabinetPath_, std::ios::binary);
        out.write(reinterpret_cast<const char*>(cabinet), payload.size);
        if (!out.flush()) throw SmxToolError(cabinetPath_, "cannot write the payload out");
    }
    executable = std::vector<uint8_t>();
    std::string error;
    if (CheckCabinet(cabinetPath_, facts->cabinet, error) != CabinetProblem::None) {
        throw SmxToolError(path_, kPayload + WithoutPath(error, cabinetPath_));
    }
    installer_ = std::move(facts);
}

ArchiveCheck ArchiveSource::Check() const {
    if (!IsInstaller()) return CheckArchive(path_);
    const CabinetSummary& cabinet = installer_->cabinet;
    CabinetExpansion expansion(cabinetPath_, cabinet);
    ProgressBar progress(ProgressStreamFor(cabinet.fileSize, 0), "smx: checking", cabinet.fileSize);
    ArchiveStream stream(expansion, cabinet.fileSize, [&](uint64_t done) { progress.AdvanceTo(done); });
    ArchiveCheck check = CheckArchive(stream);
    bool expanded = stream.Finish();
    progress.Finish();
    // A block that does not expand as recorded is the first problem, as
    // when the archive is expanded before it is read.
    if (!expanded) throw SmxToolError(path_, kPayload + WithoutPath(expansion.Error(), cabinetPath_));
    return check;
}

void ArchiveSource::Expand() {
    if (!IsInstaller() || archivePath_ != path_) return;
    std::string archivePath = *folder_ / "OrvNet.smx";
    const CabinetSummary& cabinet = installer_->cabinet;
    ProgressBar progress(ProgressStreamFor(cabinet.fileSize, 0), "smx: expanding", cabinet.fileSize);
    std::string error;
    bool expanded = ExpandSingleFileCabinet(cabinetPath_, cabinet, archivePath, error,
                                            [&](uint64_t done, uint64_t) { progress.AdvanceTo(done); });
    progress.Finish();
    if (!expanded) throw SmxToolError(path_, kPayload + WithoutPath(error, cabinetPath_));
    archivePath_ = archivePath;
}

void ArchiveSource::Run(const std::function<void(const std::string& archivePath)>& work) {
    Expand();
    try {
        work(archivePath_);
    } catch (const SmxToolError& e) {
        if (IsInstaller() && e.file() == archivePath_) throw SmxToolError(path_, e.what());
        throw;
    }
}
