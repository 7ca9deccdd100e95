#include "progress_bar.h"

#include <unistd.h>

namespace {
constexpr int kWidth = 40;
// Below these, packing is over before a bar could be read.
constexpr uint64_t kLargeBytes = 32ull << 20;
constexpr uint32_t kLargeFileCount = 2000;
}  // namespace

ProgressBar::ProgressBar(std::FILE* stream, const std::string& label, uint64_t total)
    : stream_(stream), label_(label), total_(total) {
    Draw();
}

void ProgressBar::Advance(uint64_t amount) {
    done_ += amount;
    if (done_ > total_) done_ = total_;
    Draw();
}

void ProgressBar::AdvanceTo(uint64_t done) {
    done_ = done < total_ ? done : total_;
    Draw();
}

void ProgressBar::Finish() {
    if (stream_ == nullptr) return;
    done_ = total_;
    Draw();
    std::fputc('\n', stream_);
    std::fflush(stream_);
    stream_ = nullptr;
}

void ProgressBar::Draw() {
    if (stream_ == nullptr) return;
    int perMille = total_ == 0 ? 1000 : static_cast<int>(done_ * 1000 / total_);
    if (perMille == shownPerMille_) return;
    shownPerMille_ = perMille;
    char bar[kWidth + 1];
    int filled = perMille * kWidth / 1000;
    for (int i = 0; i < kWidth; ++i) bar[i] = i < filled ? '#' : '.';
    bar[kWidth] = '\0';
    std::fprintf(stream_, "\r%s [%s] %3d.%d %%", label_.c_str(), bar, perMille / 10, perMille % 10);
    std::fflush(stream_);
}

std::FILE* ProgressStreamFor(uint64_t totalBytes, uint32_t fileCount) {
    if (!isatty(STDERR_FILENO)) return nullptr;
    return totalBytes >= kLargeBytes || fileCount >= kLargeFileCount ? stderr : nullptr;
}
