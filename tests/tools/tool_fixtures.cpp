#include "tool_fixtures.h"

#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <thread>
#include <cstring>
#include <filesystem>

#include "install/smx_format.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

void MakeTree(const std::string& folder, const std::vector<std::pair<std::string, std::string>>& files) {
    fs::create_directories(folder);
    for (const auto& [path, content] : files) {
        fs::path full = fs::path(folder) / path;
        if (path.back() == '/') {
            fs::create_directories(full);
            continue;
        }
        fs::create_directories(full.parent_path());
        WriteWholeFile(full.string(), content);
    }
}

std::vector<std::string> RecordLines(const Bytes& archive) {
    std::vector<std::string> lines;
    size_t offset = 0;
    bool root = true;
    while (offset + SmxHeaderSize <= archive.size()) {
        uint8_t raw[SmxHeaderSize];
        std::memcpy(raw, archive.data() + offset, SmxHeaderSize);
        SmxHeader h;
        DecodeSmxHeader(raw, h);
        lines.push_back(std::to_string(h.kind) + " " + std::to_string(h.keepOnUpdate) +
                        std::to_string(h.toSystemFolder) + " " + std::to_string(h.size) + " " + h.name);
        offset += SmxHeaderSize + (root || h.kind != SmxKindFile ? 0 : h.size);
        root = false;
    }
    if (offset != archive.size()) lines.push_back("trailing bytes");
    return lines;
}

namespace {
std::string Quote(const std::string& arg) {
    std::string quoted = "'";
    for (char c : arg) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}
}  // namespace

SmxRun Smx(const std::vector<std::string>& args) {
    TempDir capture;
    std::string command = Quote(SMX_PROGRAM);
    for (const std::string& arg : args) command += " " + Quote(arg);
    command += " >" + Quote(capture / "out") + " 2>" + Quote(capture / "err") + " </dev/null";
    int raw = std::system(command.c_str());
    Bytes out = ReadWholeFile(capture / "out");
    Bytes err = ReadWholeFile(capture / "err");
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, std::string(out.begin(), out.end()),
            std::string(err.begin(), err.end())};
}

int InterruptSmxOnceSeen(const std::vector<std::string>& args, const std::function<bool()>& seen) {
    std::vector<char*> argv{const_cast<char*>("smx")};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    pid_t child = fork();
    if (child == 0) {
        std::freopen("/dev/null", "w", stdout);
        std::freopen("/dev/null", "w", stderr);
        execv(SMX_PROGRAM, argv.data());
        _exit(127);
    }
    int status = 0;
    bool found = false;
    while (!found && waitpid(child, &status, WNOHANG) == 0) {
        found = seen();
        if (!found) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_TRUE(found) << "smx ended before the moment to interrupt it";
    if (!found) return status;
    // Stopped first, so the interrupt lands wherever smx was at that moment.
    kill(child, SIGSTOP);
    kill(child, SIGINT);
    kill(child, SIGCONT);
    waitpid(child, &status, 0);
    return status;
}
