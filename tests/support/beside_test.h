#pragma once
// Files that the build puts beside the test program (helper programs,
// libraries, cabinets), found from the program's own path.
#include <string>

std::string BesideTest(const std::string& name);
