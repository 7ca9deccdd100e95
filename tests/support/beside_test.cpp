#include "support/beside_test.h"

#include <windows.h>

std::string BesideTest(const std::string& name) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, sizeof self);
    std::string path(self);
    return path.substr(0, path.rfind('\\') + 1) + name;
}
