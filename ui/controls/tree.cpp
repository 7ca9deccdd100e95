#include "ui/controls/tree.h"

#include <cstring>

#include "common/bounded_copy.h"
#include "ui/control_creation.h"

int Tree::ItemCount() { return static_cast<int>(SendMessageA(handle, TVM_GETCOUNT, 0, 0)); }

// A parent number beyond the items added would name no item; such an item
// is refused rather than put at the top with a parent it does not have.
int Tree::AddItem(const char* caption, int parent) {
    CopyBounded(text, sizeof text, caption);
    int count = ItemCount();
    if (kind != KindTree) return count;
    if (parent < 0 || static_cast<size_t>(parent) > items.size()) return 0;

    TVINSERTSTRUCTA insertion{};
    insertion.hParent = parent == 0 ? TVI_ROOT : items[static_cast<size_t>(parent) - 1];
    insertion.hInsertAfter = TVI_FIRST;
    insertion.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_PARAM;
    insertion.item.pszText = text;
    insertion.item.cchTextMax = static_cast<int>(std::strlen(text));
    insertion.item.iImage = 1;
    insertion.item.lParam = MAKELPARAM(count + 1, parent);
    auto item = reinterpret_cast<HTREEITEM>(
        SendMessageA(handle, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insertion)));
    if (item == nullptr) return 0;
    items.push_back(item);
    populated = true;
    return 1;
}

void Tree::Clear() {
    items.clear();
    SendMessageA(handle, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    populated = false;
}

Tree* SmVentana::AddTree(int x, int y, int w, int h) {
    const ControlStyle kind{WC_TREEVIEWA, WS_EX_CONTROLPARENT | WS_EX_CLIENTEDGE,
                            WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES |
                                TVS_LINESATROOT,
                            true};
    return MakeControl<Tree>(*this, kind, "", x, y, w, h);
}
