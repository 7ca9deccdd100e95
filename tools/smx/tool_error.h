#pragma once
// A failure the tool reports to the user as "smx: <file>: <problem>".
#include <stdexcept>
#include <string>
#include <utility>

class SmxToolError : public std::runtime_error {
public:
    SmxToolError(std::string file, const std::string& problem)
        : std::runtime_error(problem), file_(std::move(file)) {}
    const std::string& file() const { return file_; }

private:
    std::string file_;
};
