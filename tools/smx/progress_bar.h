#pragma once
// A one-line progress bar redrawn in place, for long work in a terminal.
// Constructed without a stream it draws nothing, so callers need not ask.
#include <cstdint>
#include <cstdio>
#include <string>

class ProgressBar {
public:
    ProgressBar(std::FILE* stream, const std::string& label, uint64_t total);
    void Advance(uint64_t amount);
    // For work that reports how much is done in all.
    void AdvanceTo(uint64_t done);
    // Ends the line; the last drawing shows 100 %.
    void Finish();

private:
    void Draw();

    std::FILE* stream_;
    std::string label_;
    uint64_t total_;
    uint64_t done_ = 0;
    int shownPerMille_ = -1;
};

// The stream to draw on: stderr when it is a terminal and the work is large
// enough to be worth watching, otherwise none.
std::FILE* ProgressStreamFor(uint64_t totalBytes, uint32_t fileCount);
