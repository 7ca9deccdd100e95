#pragma once
// What smx reads: a package archive as it is, or an installer (a Windows
// executable, told by its "MZ") whose payload holds one. An installer is
// taken apart in a private temporary folder: its payload resource
// (RCDATA 9001) is written out as the cabinet it is, checked (framing, every
// block's checksum, the recorded length) and expanded into the archive the
// installer would walk. The folder goes with the object. Its version
// resource, when it has one, is read too.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "private_folder.h"
#include "tools/cab/cab_reader.h"
#include "version_info.h"

constexpr uint32_t PayloadResourceId = 9001;

struct InstallerFacts {
    CabinetSummary cabinet;
    std::string cabinetSha256;    // of the payload resource's bytes
    std::string installerSha256;  // of the whole executable
    bool hasVersion = false;      // a version resource (type 16, id 1)
    VersionInfo version;
};

class ArchiveSource {
public:
    // Throws SmxToolError naming `path` when it is not an installer of ours
    // or its payload is damaged. An archive is not read here.
    explicit ArchiveSource(const std::string& path);

    const std::string& Path() const { return path_; }
    const std::string& ArchivePath() const { return archivePath_; }
    bool IsInstaller() const { return installer_ != nullptr; }
    // Only for an installer.
    const InstallerFacts& Installer() const { return *installer_; }

    // Runs `work` on the archive. A failure it reports about the expanded
    // archive is reported about the installer, with the same words as for
    // an archive given directly.
    void Run(const std::function<void(const std::string& archivePath)>& work) const;

private:
    void TakeApart();
    void ReadVersion(const std::vector<uint8_t>& executable, InstallerFacts& facts) const;

    std::string path_;
    std::string archivePath_;
    std::unique_ptr<PrivateFolder> folder_;
    std::unique_ptr<InstallerFacts> installer_;
};
