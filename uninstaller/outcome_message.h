#pragma once
// The one message that reports how the uninstall ended.
#include <cstddef>
#include <string>
#include <vector>

// leftovers: full paths (or registry places) of what stayed although it was
// to go. Long lists are cut after a dozen lines, with a count of the rest.
void OutcomeMessage(const char* productFolder, int keptTables, const std::vector<std::string>& leftovers,
                    char* message, size_t capacity);
