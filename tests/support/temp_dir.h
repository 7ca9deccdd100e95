#pragma once
// A fresh, empty folder for one test, removed with everything in it at the
// end. Paths are handed out as narrow strings, the form the code under test
// takes.
#include <filesystem>
#include <string>
#include <vector>

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    // The folder joined with a relative name, with the platform's separator.
    std::string operator/(const std::string& name) const;

private:
    std::string path_;
};

std::vector<unsigned char> ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::vector<unsigned char>& bytes);
void WriteWholeFile(const std::string& path, const std::string& text);
