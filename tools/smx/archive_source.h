#pragma once
// What smx reads: a package archive as it is, or an installer (a Windows
// executable, told by its "MZ") whose payload holds one. An installer is
// taken apart in a private temporary folder: its payload resource
// (RCDATA 9001) is written out as the cabinet it is and checked (framing,
// every block's checksum, the recorded length). The archive the installer
// would walk is expanded from it when a command needs the archive's file,
// and only streamed through the archive check when that is all it needs.
// The folder goes with the object. Its version resource, when it has one,
// is read too.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "archive_check.h"
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
    bool IsInstaller() const { return installer_ != nullptr; }
    // Only for an installer.
    const InstallerFacts& Installer() const { return *installer_; }

    // The archive check (archive_check.h) of the archive. An installer's is
    // checked as it comes out of the payload, and every block is expanded
    // even when the check stops early. Throws SmxToolError naming the
    // installer when the payload does not expand as recorded.
    ArchiveCheck Check() const;

    // For an installer, expands the archive into the private folder (once);
    // throws SmxToolError naming the installer when the payload does not
    // expand as recorded. Run does it when it has not been done.
    void Expand();
    // The archive's file: the path given, or the expanded archive.
    const std::string& ArchivePath() const { return archivePath_; }

    // Runs `work` on the archive's file. A failure it reports about the
    // expanded archive is reported about the installer, with the same words
    // as for an archive given directly.
    void Run(const std::function<void(const std::string& archivePath)>& work);

private:
    void TakeApart();
    void ReadVersion(const std::vector<uint8_t>& executable, InstallerFacts& facts) const;

    std::string path_;
    std::string cabinetPath_;
    std::string archivePath_;
    std::unique_ptr<PrivateFolder> folder_;
    std::unique_ptr<InstallerFacts> installer_;
};
