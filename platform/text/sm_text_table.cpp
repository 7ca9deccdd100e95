#include "platform/text/sm_text_table.h"

#include "platform/text/text_helpers.h"

SmTextTable::SmTextTable(size_t slotCount, size_t slotSize) : slotSize_(slotSize == 0 ? 1 : slotSize) {
    for (size_t i = 0; i < slotCount; ++i) AppendSlot();
}

char* SmTextTable::Slot(size_t index) { return index < slots_.size() ? slots_[index].get() : nullptr; }

void SmTextTable::AppendSlot() { slots_.push_back(std::make_unique<char[]>(slotSize_)); }

char* SmTextTable::TakeLastSlot() {
    if (slots_.empty()) AppendSlot();
    char* last = slots_.back().get();
    AppendSlot();
    return last;
}

namespace {

// Runs a helper once into a fresh slot and once into the destination, so
// that both get exactly what the plain helper gives.
template <class Helper>
const char* Store(SmTextTable& table, char* destination, size_t capacity, Helper helper) {
    char* slot = table.TakeLastSlot();
    helper(slot, table.SlotSize());
    if (destination != nullptr) helper(destination, capacity);
    return slot;
}

}  // namespace

const char* ReverseLower(SmTextTable& table, const char* text, char* destination, size_t capacity) {
    return Store(table, destination, capacity, [&](char* out, size_t size) { ReverseLower(text, out, size); });
}

const char* CopyFoundText(SmTextTable& table, const char* text, const char* searched, char* destination,
                          size_t capacity) {
    return Store(table, destination, capacity,
                 [&](char* out, size_t size) { CopyFoundText(text, searched, out, size); });
}

const char* LeftPart(SmTextTable& table, const char* source, size_t position, char* destination, size_t capacity) {
    return Store(table, destination, capacity,
                 [&](char* out, size_t size) { LeftPart(source, position, out, size); });
}

const char* RightPart(SmTextTable& table, const char* text, size_t n, char* destination, size_t capacity) {
    return Store(table, destination, capacity, [&](char* out, size_t size) { RightPart(text, n, out, size); });
}

const char* TrimLower(SmTextTable& table, const char* text, char* destination, size_t capacity) {
    return Store(table, destination, capacity, [&](char* out, size_t size) { TrimLower(text, out, size); });
}

const char* ToLower(SmTextTable& table, const char* text, char* destination, size_t capacity) {
    return Store(table, destination, capacity, [&](char* out, size_t size) { ToLower(text, out, size); });
}

const char* ToUpper(SmTextTable& table, const char* text, char* destination, size_t capacity) {
    return Store(table, destination, capacity, [&](char* out, size_t size) { ToUpper(text, out, size); });
}
