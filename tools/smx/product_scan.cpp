#include "product_scan.h"

#include <algorithm>
#include <deque>
#include <filesystem>
#include <map>

#include "name_codec.h"
#include "name_glob.h"
#include "tool_error.h"
#include "windows_name.h"

namespace fs = std::filesystem;

namespace {
struct Child {
    bool isDirectory;
    std::string name;  // Windows-1252
    std::string folded;
    fs::path path;
    uint64_t size;
};

struct FlagRule {
    NameGlob glob;
    bool keep;
    bool used = false;
};

std::string Join(const std::string& folder, const std::string& name) {
    return folder.empty() ? name : folder + "\\" + name;
}

// One folder's entries, checked and sorted; `archiveFolder` is the folder's
// archive name ("" for the product folder).
std::vector<Child> ReadFolder(const fs::path& folder, const std::string& archiveFolder, const PackLimits& limits) {
    std::vector<Child> children;
    std::error_code error;
    fs::directory_iterator it(folder, error);
    if (error) throw SmxToolError(folder.string(), "cannot read folder: " + error.message());
    for (; it != fs::directory_iterator(); it.increment(error)) {
        const fs::path& path = it->path();
        fs::file_status status = fs::symlink_status(path, error);
        if (error) throw SmxToolError(path.string(), "cannot read: " + error.message());
        if (fs::is_symlink(status)) {
            throw SmxToolError(path.string(), "is a symbolic link; smx follows none (copy the target in instead)");
        }
        bool isDirectory = fs::is_directory(status);
        if (!isDirectory && !fs::is_regular_file(status)) {
            throw SmxToolError(path.string(), "is neither a regular file nor a folder");
        }
        Child child{isDirectory, std::string(), std::string(), path, 0};
        std::string offending;
        if (!Utf8ToCp1252(path.filename().string(), child.name, &offending)) {
            throw SmxToolError(path.string(), "name holds '" + offending + "', which Windows-1252 cannot hold");
        }
        std::string problem = WindowsComponentProblem(child.name);
        if (!problem.empty()) throw SmxToolError(path.string(), problem);
        std::string archiveName = Join(archiveFolder, child.name);
        if (archiveName.size() > SmxMaxNameLength) {
            throw SmxToolError(path.string(), "relative path is " + std::to_string(archiveName.size()) +
                                                  " bytes in Windows-1252, more than " +
                                                  std::to_string(SmxMaxNameLength));
        }
        if (!isDirectory) {
            child.size = fs::file_size(path, error);
            if (error) throw SmxToolError(path.string(), "cannot read: " + error.message());
            if (child.size > limits.maxFileBytes) {
                throw SmxToolError(path.string(), "file has " + std::to_string(child.size) +
                                                      " bytes; the archive holds files below " +
                                                      std::to_string(limits.maxFileBytes + 1) + " bytes");
            }
        }
        child.folded = FoldCp1252(child.name);
        children.push_back(std::move(child));
    }
    // A failed step ends the iteration as if the folder were complete.
    if (error) throw SmxToolError(folder.string(), "cannot read folder: " + error.message());
    std::sort(children.begin(), children.end(),
              [](const Child& a, const Child& b) { return a.folded < b.folded; });
    for (size_t i = 1; i < children.size(); ++i) {
        if (children[i].folded == children[i - 1].folded) {
            throw SmxToolError(children[i].path.string(),
                               "differs only in letter case from '" + children[i - 1].path.filename().string() +
                                   "'; Windows would take both for one name");
        }
    }
    return children;
}

std::string RootNameOf(const std::string& productDir) {
    fs::path absolute = fs::absolute(fs::path(productDir)).lexically_normal();
    if (absolute.filename().empty()) absolute = absolute.parent_path();
    std::string name, offending;
    if (!Utf8ToCp1252(absolute.filename().string(), name, &offending)) {
        throw SmxToolError(productDir, "folder name holds '" + offending + "', which Windows-1252 cannot hold");
    }
    std::string problem = name.empty() ? "has no folder name" : WindowsComponentProblem(name);
    if (!problem.empty()) throw SmxToolError(productDir, problem);
    return name;
}

class Scanner {
public:
    Scanner(const PackOptions& options, ProductTree& tree) : options_(options), tree_(tree) {
        for (const std::string& p : options.keepPatterns) rules_.push_back({NameGlob("--keep", p), true});
        for (const std::string& p : options.systemPatterns) rules_.push_back({NameGlob("--system", p), false});
    }

    void AddFile(const Child& child, const std::string& archiveName) {
        ProductEntry entry;
        entry.archiveName = archiveName;
        entry.sourcePath = child.path.string();
        entry.size = child.size;
        for (FlagRule& rule : rules_) {
            if (!rule.glob.Matches(archiveName)) continue;
            rule.used = true;
            (rule.keep ? entry.keepOnUpdate : entry.toSystemFolder) = true;
        }
        // The installer honours only keepOnUpdate when both are set.
        if (entry.keepOnUpdate && entry.toSystemFolder) {
            throw SmxToolError(entry.sourcePath, "matches both --keep and --system; a file can carry only one");
        }
        if (++tree_.fileCount > options_.limits.maxFileRecords) {
            throw SmxToolError(entry.sourcePath, "more than " + std::to_string(options_.limits.maxFileRecords) +
                                                     " files; the installer counts them in 16 bits");
        }
        AddBytes(entry.sourcePath, SmxHeaderSize + child.size);
        tree_.entries.push_back(std::move(entry));
    }

    void AddDirectory(const Child& child, const std::string& archiveName) {
        ProductEntry entry;
        entry.isDirectory = true;
        entry.archiveName = archiveName;
        entry.sourcePath = child.path.string();
        AddBytes(entry.sourcePath, SmxHeaderSize);
        tree_.entries.push_back(std::move(entry));
    }

    void AddBytes(const std::string& path, uint64_t bytes) {
        tree_.archiveBytes += bytes;
        if (tree_.archiveBytes > options_.limits.maxArchiveBytes) {
            throw SmxToolError(path, "the archive would grow past " +
                                         std::to_string(options_.limits.maxArchiveBytes) +
                                         " bytes; offsets in it are 32-bit");
        }
    }

    void Warn() {
        for (const FlagRule& rule : rules_) {
            if (!rule.used) {
                tree_.warnings.push_back(std::string(rule.keep ? "--keep" : "--system") + " '" +
                                         rule.glob.Pattern() + "' matches no file");
            }
        }
    }

private:
    const PackOptions& options_;
    ProductTree& tree_;
    std::vector<FlagRule> rules_;
};
}  // namespace

ProductTree ScanProduct(const std::string& productDir, const PackOptions& options) {
    std::error_code error;
    if (!fs::is_directory(productDir, error)) throw SmxToolError(productDir, "is not a folder");
    ProductTree tree;
    tree.rootName = RootNameOf(productDir);
    tree.archiveBytes = SmxHeaderSize;
    Scanner scanner(options, tree);

    struct Pending {
        Child child;
        std::string archiveName;
    };
    std::deque<Pending> folders;
    auto visit = [&](const fs::path& folder, const std::string& archiveFolder) {
        for (Child& child : ReadFolder(folder, archiveFolder, options.limits)) {
            std::string archiveName = Join(archiveFolder, child.name);
            if (child.isDirectory) {
                folders.push_back({std::move(child), archiveName});
            } else {
                scanner.AddFile(child, archiveName);
            }
        }
    };
    visit(fs::path(productDir), "");
    bool hasMainProgram = false;
    for (const ProductEntry& entry : tree.entries) {
        if (FoldCp1252(entry.archiveName) == FoldCp1252(tree.rootName + ".exe")) hasMainProgram = true;
    }
    while (!folders.empty()) {
        Pending next = std::move(folders.front());
        folders.pop_front();
        scanner.AddDirectory(next.child, next.archiveName);
        visit(next.child.path, next.archiveName);
    }
    scanner.Warn();
    if (!hasMainProgram) {
        tree.warnings.push_back("no main program '" + DisplayName(tree.rootName) +
                                ".exe' directly in the product folder; the installer expects one");
    }
    return tree;
}
