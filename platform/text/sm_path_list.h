#pragma once
// A singly linked list of (full path, name) entries numbered from 1, with a
// cursor that makes walking forward in index order cheap. Texts longer than
// a node's 254 characters are not stored (a cut path would name another
// file).
#include <cstddef>

struct SmPathNode {
    static constexpr size_t TextSize = 255;
    char name[TextSize] = {};
    char path[TextSize] = {};
    SmPathNode* next = nullptr;
    int index = 0;
};

class SmPathList {
public:
    SmPathList() = default;
    virtual ~SmPathList();
    SmPathList(const SmPathList&) = delete;
    SmPathList& operator=(const SmPathList&) = delete;

    int Count() const { return count_; }
    // Adds an entry at the end; false (nothing added) when a text does not fit.
    bool Append(const char* path, const char* name);
    // The entry with a 1-based index; null for 0 or above the count.
    SmPathNode* At(int index);

private:
    int count_ = 0;
    SmPathNode head_;  // index 0, holds no entry
    SmPathNode* cursor_ = &head_;
};
