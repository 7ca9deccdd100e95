#include "input_file.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {
// Per process, so that runs in parallel never share a file.
class Scratch {
public:
    Scratch() {
        const char* tmp = std::getenv("TMPDIR");
        root_ = fs::path(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") / ("smfuzz." + std::to_string(getpid()));
        fs::create_directories(root_);
        file_ = (root_ / "input").string();
        folder_ = (root_ / "out").string();
    }
    ~Scratch() {
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }
    const std::string& File() const { return file_; }
    const std::string& Folder() const { return folder_; }

private:
    fs::path root_;
    std::string file_;
    std::string folder_;
};

Scratch& TheScratch() {
    static Scratch scratch;
    return scratch;
}
}  // namespace

const std::string& WriteInputFile(const uint8_t* data, size_t size) {
    const std::string& path = TheScratch().File();
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    out.close();
    if (!out) Finding("cannot write the scratch input file");
    return path;
}

const std::string& EmptyScratchFolder() {
    const std::string& folder = TheScratch().Folder();
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    fs::create_directories(folder);
    return folder;
}

void Finding(const char* what) {
    std::fprintf(stderr, "finding: %s\n", what);
    std::abort();
}
