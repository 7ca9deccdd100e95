#pragma once
// Patterns that pick files for the archive's flags ("Data/*.tbl"): relative
// paths where '*' stands for any run of characters and '?' for one, neither
// crossing a folder separator. Letter case is ignored, as on Windows.
#include <string>

class NameGlob {
public:
    // `pattern` as the user wrote it (UTF-8, '/' or '\' between folders).
    // Throws SmxToolError naming the pattern when Windows-1252 cannot hold it.
    NameGlob(const std::string& option, const std::string& pattern);

    const std::string& Pattern() const { return pattern_; }
    // `archiveName`: Windows-1252, backslash-separated.
    bool Matches(const std::string& archiveName) const;

private:
    std::string pattern_;
    std::string folded_;
};
