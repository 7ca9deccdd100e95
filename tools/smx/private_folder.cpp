#include "private_folder.h"

#include <stdlib.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "tools/common/interrupt_cleanup.h"
#include "tool_error.h"

PrivateFolder::PrivateFolder() {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/smx.XXXXXX";
    InterruptsHeld held;
    if (mkdtemp(pattern.data()) == nullptr) {
        throw SmxToolError(pattern, std::string("cannot make a temporary folder: ") + std::strerror(errno));
    }
    path_ = pattern;
    interruptSlot_ = RemoveOnInterrupt(path_, true);
}

PrivateFolder::~PrivateFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
    ForgetOnInterrupt(interruptSlot_);
}
