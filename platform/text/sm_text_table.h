#pragma once
// A table of owned, zero-filled text slots of one fixed size, where the
// storing forms of the text helpers keep their results. The table always
// ends with one empty slot: each stored result goes into the last slot and
// a new empty one is appended after it.
#include <cstddef>
#include <memory>
#include <vector>

class SmTextTable {
public:
    static constexpr size_t DefaultSlotSize = 300;

    explicit SmTextTable(size_t slotCount = 1, size_t slotSize = DefaultSlotSize);
    virtual ~SmTextTable() = default;
    SmTextTable(const SmTextTable&) = delete;
    SmTextTable& operator=(const SmTextTable&) = delete;

    size_t Count() const { return slots_.size(); }
    size_t SlotSize() const { return slotSize_; }
    // The slot at a zero-based index; null above the count.
    char* Slot(size_t index);

    // Appends an empty slot and returns the one that was last before it.
    char* TakeLastSlot();

private:
    void AppendSlot();

    size_t slotSize_;
    std::vector<std::unique_ptr<char[]>> slots_;
};

// Storing forms: the result goes into the table (cut to its slot size) and,
// when destination is given, also into it (cut to capacity). They return
// the stored text.
const char* ReverseLower(SmTextTable& table, const char* text, char* destination = nullptr, size_t capacity = 0);
const char* CopyFoundText(SmTextTable& table, const char* text, const char* searched, char* destination = nullptr,
                          size_t capacity = 0);
const char* LeftPart(SmTextTable& table, const char* source, size_t position, char* destination = nullptr,
                     size_t capacity = 0);
const char* RightPart(SmTextTable& table, const char* text, size_t n, char* destination = nullptr,
                      size_t capacity = 0);
const char* TrimLower(SmTextTable& table, const char* text, char* destination = nullptr, size_t capacity = 0);
const char* ToLower(SmTextTable& table, const char* text, char* destination = nullptr, size_t capacity = 0);
const char* ToUpper(SmTextTable& table, const char* text, char* destination = nullptr, size_t capacity = 0);
