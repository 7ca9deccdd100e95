#pragma once
// Small helpers for the packer's tests: product trees on disk, archives
// crafted byte by byte, and the smx program run from outside.
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "support/archive_bytes.h"

using Bytes = ByteVector;

// Creates `folder` and the given files below it ('/'-separated, UTF-8);
// a path ending in '/' makes an empty folder.
void MakeTree(const std::string& folder, const std::vector<std::pair<std::string, std::string>>& files);

// Every record of an archive as "kind flags size name" lines, read back with
// the shared header codec.
std::vector<std::string> RecordLines(const Bytes& archive);

struct SmxRun {
    int status;
    std::string out;
    std::string err;
};

// Runs smx with stdout and stderr captured in files (never a terminal).
SmxRun Smx(const std::vector<std::string>& args);

// Starts smx, stops it once `seen` holds (polled while it runs), sends it
// SIGINT and lets it go on; returns its wait status. Fails the test when
// smx ends before `seen` held.
int InterruptSmxOnceSeen(const std::vector<std::string>& args, const std::function<bool()>& seen);
