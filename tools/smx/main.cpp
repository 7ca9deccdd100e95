// smx: packs a product folder into a package archive and inspects archives
// and the installers that carry them.
// Each subcommand is wired by one Add*Command function; its callback does the
// work and throws SmxToolError, which main turns into "smx: <file>: <problem>"
// and exit status 1.
#include <CLI/CLI.hpp>

#include <filesystem>
#include <iostream>
#include <memory>

#include "archive_check.h"
#include "archive_contents.h"
#include "archive_diff.h"
#include "archive_list.h"
#include "archive_manifest.h"
#include "archive_source.h"
#include "archive_writer.h"
#include "common/product_version.h"
#include "extract.h"
#include "name_codec.h"
#include "product_scan.h"
#include "progress_bar.h"
#include "tool_error.h"
#include "smx_commit.h"
#include "tools/cab/cab_writer.h"

namespace fs = std::filesystem;

namespace {
void Warn(const std::string& text) { std::cerr << "smx: warning: " << text << '\n'; }

// Checked before the scan, which can take long on a large tree.
void CheckOutputPlace(const std::string& productDir, const std::string& output) {
    std::error_code error;
    if (!fs::is_directory(fs::absolute(output).parent_path(), error)) {
        throw SmxToolError(output, "its folder does not exist");
    }
    fs::path product = fs::weakly_canonical(productDir);
    fs::path parent = fs::weakly_canonical(fs::absolute(output).parent_path());
    for (fs::path p = parent; !p.empty(); p = p.parent_path()) {
        if (p == product) throw SmxToolError(output, "lies inside the product folder it would pack");
        if (p == p.root_path()) break;
    }
}

// The summary of an archive that passes the check; otherwise its first problem.
ArchiveSummary CheckedSummary(const std::string& archive) {
    ArchiveCheck check = CheckArchive(archive);
    if (!check.ok) throw SmxToolError(archive, check.problem);
    return check.summary;
}

void AddPackCommand(CLI::App& smx) {
    struct Args {
        std::string productDir;
        std::string output;
        PackOptions options;
    };
    auto args = std::make_shared<Args>();
    CLI::App* pack = smx.add_subcommand("pack", "Pack a product folder into a package archive");
    pack->add_option("PRODUCT_DIR", args->productDir, "Folder to pack; its name becomes the root name")
        ->required();
    pack->add_option("-o,--output", args->output, "Archive to write (FILE.smx)")->required();
    pack->add_option("--keep", args->options.keepPatterns,
                     "Files an update keeps (keepOnUpdate), as a relative path pattern such as 'Data/*.tbl';"
                     " '*' and '?' do not cross '/', letter case is ignored. Repeatable.")
        ->allow_extra_args(false);
    pack->add_option("--system", args->options.systemPatterns,
                     "Files installed into the system folder and self-registered (toSystemFolder), same"
                     " patterns. Repeatable.")
        ->allow_extra_args(false);
    pack->callback([args] {
        CheckOutputPlace(args->productDir, args->output);
        ProductTree tree = ScanProduct(args->productDir, args->options);
        for (const std::string& warning : tree.warnings) Warn(warning);
        ProgressBar progress(ProgressStreamFor(tree.archiveBytes, tree.fileCount), "smx: packing",
                             tree.archiveBytes);
        WriteArchive(tree, args->output, progress);
    });
}

void AddListCommand(CLI::App& smx) {
    auto file = std::make_shared<std::string>();
    CLI::App* list = smx.add_subcommand("list", "List an archive's records: kind, flags (k keep, s system), size, name");
    list->add_option("FILE", *file, "Archive, or installer whose payload to list")->required();
    list->callback([file] {
        ArchiveSource source(*file);
        source.Run([](const std::string& archive) { ListArchive(archive, std::cout); });
    });
}

// For an installer, the "ok" line is followed by the manifest.
void AddVerifyCommand(CLI::App& smx) {
    auto file = std::make_shared<std::string>();
    CLI::App* verify = smx.add_subcommand(
        "verify", "Check an archive's structure, or an installer's payload cabinet and the archive inside; exit 1"
                  " naming the first problem. For an installer, also print its manifest");
    verify->add_option("FILE", *file, "Archive or installer to check")->required();
    verify->callback([file] {
        ArchiveSource source(*file);
        ArchiveCheck check = source.Check();
        if (!check.ok) throw SmxToolError(*file, check.problem);
        const ArchiveSummary& s = check.summary;
        std::cout << *file << ": ok, root " << DisplayName(s.rootName) << ", " << s.directories
                  << " directories, " << s.files << " files (" << s.contentBytes << " bytes), " << s.length
                  << " bytes in all\n";
        if (source.IsInstaller()) PrintManifest(source, s, std::cout);
    });
}

void AddExtractCommand(CLI::App& smx) {
    struct Args {
        std::string file;
        std::string target = ".";
    };
    auto args = std::make_shared<Args>();
    CLI::App* extract = smx.add_subcommand(
        "extract", "Lay an archive's records out in a folder, which stands for the product folder; a damaged"
                   " archive or installer, or one whose names would leave the folder, writes nothing");
    extract->add_option("FILE", args->file, "Archive, or installer whose payload to extract")->required();
    extract->add_option("-C,--directory", args->target, "Folder to extract into (created when missing)")
        ->capture_default_str();
    extract->callback([args] {
        std::unique_ptr<ArchiveSource> source;
        try {
            source = std::make_unique<ArchiveSource>(args->file);
            source->Expand();
        } catch (const SmxToolError& e) {
            throw SmxToolError(e.file(), e.what() + std::string("; nothing extracted"));
        }
        source->Run([&args](const std::string& archive) { ExtractArchive(archive, args->target); });
    });
}

ArchiveContents ContentsOf(ArchiveSource&& source) {
    ArchiveContents contents;
    source.Run([&contents](const std::string& archive) {
        ArchiveSummary summary = CheckedSummary(archive);
        ProgressBar progress(ProgressStreamFor(summary.contentBytes, summary.files), "smx: reading",
                             summary.contentBytes);
        contents = ReadArchiveContents(archive, progress);
        progress.Finish();
    });
    return contents;
}

// Exit 0 whether or not the releases differ: 1 stays "smx failed".
void AddDiffCommand(CLI::App& smx) {
    struct Args {
        std::string before;
        std::string after;
    };
    auto args = std::make_shared<Args>();
    CLI::App* diff = smx.add_subcommand(
        "diff", "Show what a release changes: records added and removed, files whose content (size, SHA-256) or"
                " flags changed, and what an update does to keep-on-update files");
    diff->add_option("OLD", args->before, "The earlier release: archive or installer")->required();
    diff->add_option("NEW", args->after, "The new release: archive or installer")->required();
    diff->callback([args] {
        ArchiveContents before = ContentsOf(ArchiveSource(args->before));
        ArchiveContents after = ContentsOf(ArchiveSource(args->after));
        DiffArchives(before, after, std::cout);
    });
}

// The installer's payload: the archive compressed into a single-file MSZIP
// cabinet. The archive is checked first, so a damaged one never ships.
void AddCabCommand(CLI::App& smx) {
    struct Args {
        std::string archive;
        std::string output;
    };
    auto args = std::make_shared<Args>();
    CLI::App* cab = smx.add_subcommand(
        "cab", "Compress an archive into the installer's payload: a single-file MSZIP cabinet holding OrvNet.smx");
    cab->add_option("FILE", args->archive, "Archive to compress (FILE.smx)")->required();
    cab->add_option("-o,--output", args->output, "Cabinet to write (FILE.cab)")->required();
    cab->callback([args] {
        ArchiveSummary summary = CheckedSummary(args->archive);
        ProgressBar progress(ProgressStreamFor(summary.length, summary.files), "smx: compressing", summary.length);
        std::string error;
        bool written = WriteSingleFileCabinet(args->archive, "OrvNet.smx", args->output, error,
                                              [&](uint64_t done, uint64_t) { progress.AdvanceTo(done); });
        progress.Finish();
        if (!written) throw SmxToolError(args->output, error);
    });
}
}  // namespace

int main(int argc, char** argv) {
    CLI::App smx("smx: packs an OrvNet product folder into a package archive (.smx); checks, lists, extracts and"
                 " compares archives and built installers.",
                 "smx");
    smx.set_version_flag("--version", "smx " SM_PRODUCT_VERSION " (commit " SMX_COMMIT ")");
    smx.require_subcommand(1);
    AddPackCommand(smx);
    AddListCommand(smx);
    AddVerifyCommand(smx);
    AddExtractCommand(smx);
    AddCabCommand(smx);
    AddDiffCommand(smx);
    try {
        smx.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        int status = smx.exit(e);
        return status == 0 ? 0 : 2;
    } catch (const SmxToolError& e) {
        std::cerr << "smx: " << e.file() << ": " << e.what() << '\n';
        return 1;
    } catch (const std::exception& e) {
        std::cerr << "smx: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
