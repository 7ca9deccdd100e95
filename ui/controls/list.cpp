#include "ui/controls/list.h"

#include "ui/control_creation.h"
#include "ui/controls/text_list.h"

void List::Clear() { SendListMessage(*this, kListBoxMessages.reset); }
int List::Count() { return SendListMessage(*this, kListBoxMessages.count); }
int List::Remove(int index) { return SendListMessage(*this, kListBoxMessages.remove, index); }
int List::Add(const char* item) { return lastAdded = AddListText(*this, kListBoxMessages, item); }
const char* List::Replace(int index, const char* item) {
    return ReplaceListText(*this, kListBoxMessages, index, item);
}
const char* List::ItemText(int index) { return ReadListText(*this, kListBoxMessages, index); }
LPARAM List::SetItemData(int index, LPARAM value) {
    SendListMessage(*this, kListBoxMessages.setData, index, value);
    return value;
}
LPARAM List::ItemData(int index) { return SendMessageA(handle, kListBoxMessages.data, index, 0); }
int List::Select(int index) {
    SendListMessage(*this, kListBoxMessages.setSelection, index);
    return index;
}
int List::Selected() { return SendListMessage(*this, kListBoxMessages.selection); }

List* SmVentana::AddList(int x, int y, int w, int h, bool ownerDrawn) {
    const DWORD style =
        ownerDrawn ? WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY |
                         LBS_OWNERDRAWVARIABLE
                   : WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | LBS_NOTIFY |
                         LBS_SORT | LBS_HASSTRINGS | LBS_USETABSTOPS;
    const ControlStyle kind{"LISTBOX", WS_EX_CONTROLPARENT | WS_EX_CLIENTEDGE, style, true};
    return MakeControl<List>(*this, kind, "", x, y, w, h);
}
