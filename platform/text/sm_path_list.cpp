#include "platform/text/sm_path_list.h"

#include <cstring>

#include "common/bounded_copy.h"

SmPathList::~SmPathList() {
    SmPathNode* node = head_.next;
    while (node != nullptr) {
        SmPathNode* next = node->next;
        delete node;
        node = next;
    }
}

bool SmPathList::Append(const char* path, const char* name) {
    if (std::strlen(path) >= SmPathNode::TextSize || std::strlen(name) >= SmPathNode::TextSize) return false;
    SmPathNode* last = cursor_;
    while (last->next != nullptr) last = last->next;
    SmPathNode* node = new SmPathNode;
    CopyBounded(node->path, sizeof node->path, path);
    CopyBounded(node->name, sizeof node->name, name);
    node->index = ++count_;
    last->next = node;
    cursor_ = node;
    return true;
}

SmPathNode* SmPathList::At(int index) {
    if (index < 1 || index > count_) return nullptr;
    SmPathNode* node = index >= cursor_->index ? cursor_ : &head_;
    while (node->index != index) node = node->next;
    cursor_ = node;
    return node;
}
