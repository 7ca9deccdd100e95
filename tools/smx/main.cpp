// smx: packs a product folder into a package archive and inspects archives.
// Each subcommand is wired by one Add*Command function; its callback does the
// work and throws SmxToolError, which main turns into "smx: <file>: <problem>"
// and exit status 1.
#include <CLI/CLI.hpp>

#include <filesystem>
#include <iostream>

#include "archive_check.h"
#include "archive_list.h"
#include "archive_writer.h"
#include "extract.h"
#include "name_codec.h"
#include "product_scan.h"
#include "progress_bar.h"
#include "tool_error.h"
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
    auto archive = std::make_shared<std::string>();
    CLI::App* list = smx.add_subcommand("list", "List an archive's records: kind, flags (k keep, s system), size, name");
    list->add_option("FILE", *archive, "Archive to list")->required();
    list->callback([archive] { ListArchive(*archive, std::cout); });
}

void AddVerifyCommand(CLI::App& smx) {
    auto archive = std::make_shared<std::string>();
    CLI::App* verify = smx.add_subcommand("verify", "Check an archive's structure; exit 1 naming the first problem");
    verify->add_option("FILE", *archive, "Archive to check")->required();
    verify->callback([archive] {
        ArchiveCheck check = CheckArchive(*archive);
        if (!check.ok) throw SmxToolError(*archive, check.problem);
        const ArchiveSummary& s = check.summary;
        std::cout << *archive << ": ok, root " << DisplayName(s.rootName) << ", " << s.directories
                  << " directories, " << s.files << " files (" << s.contentBytes << " bytes), " << s.length
                  << " bytes in all\n";
    });
}

void AddExtractCommand(CLI::App& smx) {
    struct Args {
        std::string archive;
        std::string target = ".";
    };
    auto args = std::make_shared<Args>();
    CLI::App* extract = smx.add_subcommand(
        "extract", "Lay an archive's records out in a folder, which stands for the product folder; a damaged"
                   " archive, or one whose names would leave the folder, writes nothing");
    extract->add_option("FILE", args->archive, "Archive to extract")->required();
    extract->add_option("-C,--directory", args->target, "Folder to extract into (created when missing)")
        ->capture_default_str();
    extract->callback([args] { ExtractArchive(args->archive, args->target); });
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
        ArchiveCheck check = CheckArchive(args->archive);
        if (!check.ok) throw SmxToolError(args->archive, check.problem);
        ProgressBar progress(ProgressStreamFor(check.summary.length, check.summary.files), "smx: compressing",
                             check.summary.length);
        uint64_t shown = 0;
        std::string error;
        bool written = WriteSingleFileCabinet(args->archive, "OrvNet.smx", args->output, error,
                                              [&](uint64_t done, uint64_t) {
                                                  progress.Advance(done - shown);
                                                  shown = done;
                                              });
        progress.Finish();
        if (!written) throw SmxToolError(args->output, error);
    });
}
}  // namespace

int main(int argc, char** argv) {
    CLI::App smx("smx: packs an OrvNet product folder into a package archive (.smx) and checks archives.",
                 "smx");
    smx.require_subcommand(1);
    AddPackCommand(smx);
    AddListCommand(smx);
    AddVerifyCommand(smx);
    AddExtractCommand(smx);
    AddCabCommand(smx);
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
