#include "temp_dir.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {
#ifdef _WIN32
const char kSeparator = '\\';
#else
const char kSeparator = '/';
#endif
}

TempDir::TempDir() {
    static std::atomic<unsigned> counter{0};
    auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    fs::path base = fs::temp_directory_path();
    for (;;) {
        fs::path candidate = base / ("smtest-" + std::to_string(stamp) + "-" + std::to_string(counter++));
        if (fs::create_directory(candidate)) {
            path_ = candidate.string();
            break;
        }
    }
    while (!path_.empty() && (path_.back() == '\\' || path_.back() == '/')) path_.pop_back();
}

TempDir::~TempDir() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

std::string TempDir::operator/(const std::string& name) const {
    std::string joined = path_ + kSeparator + name;
    for (char& c : joined) {
        if (c == '/' || c == '\\') c = kSeparator;
    }
    return joined;
}

std::vector<unsigned char> ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

void WriteWholeFile(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}

void WriteWholeFile(const std::string& path, const std::string& text) {
    WriteWholeFile(path, std::vector<unsigned char>(text.begin(), text.end()));
}
