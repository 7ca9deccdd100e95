#include "name_glob.h"

#include "name_codec.h"
#include "tool_error.h"

namespace {
// Iterative wildcard match with one backtrack point: a later '*' supersedes
// an earlier one, so the match stays linear in practice.
bool Match(const std::string& pattern, const std::string& text) {
    size_t p = 0, t = 0;
    size_t starP = std::string::npos, starT = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starT = t;
        } else if (p < pattern.size() && text[t] != '\\' && (pattern[p] == '?' || pattern[p] == text[t])) {
            ++p, ++t;
        } else if (p < pattern.size() && pattern[p] == '\\' && text[t] == '\\') {
            ++p, ++t;
        } else if (starP != std::string::npos && text[starT] != '\\') {
            // Let the last '*' take one more character, never a separator.
            p = starP + 1;
            t = ++starT;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}
}  // namespace

NameGlob::NameGlob(const std::string& option, const std::string& pattern) : pattern_(pattern) {
    std::string normal = pattern;
    for (char& c : normal) {
        if (c == '/') c = '\\';
    }
    while (normal.compare(0, 2, ".\\") == 0) normal.erase(0, 2);
    std::string cp1252, offending;
    if (!Utf8ToCp1252(normal, cp1252, &offending)) {
        throw SmxToolError(option + " '" + pattern + "'", "pattern holds '" + offending +
                                                              "', which Windows-1252 cannot hold");
    }
    folded_ = FoldCp1252(cp1252);
}

bool NameGlob::Matches(const std::string& archiveName) const { return Match(folded_, FoldCp1252(archiveName)); }
