#pragma once
// A folder of this process alone (mode 700, in $TMPDIR or /tmp) for the
// files an installer is taken apart into, which can be as large as the
// product: it is removed with everything in it when the object goes, and
// also when an interrupt ends the process first.
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
    int interruptSlot_ = -1;
};
