#pragma once
// A folder of this process alone (mode 700, in $TMPDIR or /tmp) for the
// files an installer is taken apart into; removed with everything in it
// when the object goes.
#include <string>

class PrivateFolder {
public:
    // Throws SmxToolError when no folder can be made.
    PrivateFolder();
    ~PrivateFolder();
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;

    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};
