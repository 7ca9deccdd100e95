#include "outcome_message.h"

#include "common/bounded_copy.h"
#include "uninstall_texts.h"

namespace {
constexpr size_t kListedLeftovers = 12;
}

void OutcomeMessage(const char* productFolder, int keptTables, const std::vector<std::string>& leftovers,
                    char* message, size_t capacity) {
    CopyBounded(message, capacity, leftovers.empty() ? RemovedText : LeftoversText);
    for (size_t i = 0; i < leftovers.size() && i < kListedLeftovers; ++i) {
        AppendBounded(message, capacity, "\r\n");
        AppendBounded(message, capacity, leftovers[i].c_str());
    }
    if (leftovers.size() > kListedLeftovers) {
        AppendBounded(message, capacity, "\r\n");
        AppendBounded(message, capacity, MoreLeftoversText);
        AppendBounded(message, capacity, std::to_string(leftovers.size() - kListedLeftovers).c_str());
    }
    if (keptTables > 0) {
        AppendBounded(message, capacity, "\r\n");
        AppendBounded(message, capacity, TablesKeptText);
        AppendBounded(message, capacity, productFolder);
    }
}
