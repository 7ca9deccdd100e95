#include "ui/controls/combo.h"

#include "ui/control_creation.h"
#include "ui/controls/text_list.h"

void Combo::Clear() { SendListMessage(*this, kComboBoxMessages.reset); }
int Combo::Count() { return SendListMessage(*this, kComboBoxMessages.count); }
int Combo::Remove(int index) { return SendListMessage(*this, kComboBoxMessages.remove, index); }
int Combo::Add(const char* item) { return lastAdded = AddListText(*this, kComboBoxMessages, item); }
const char* Combo::Replace(int index, const char* item) {
    return ReplaceListText(*this, kComboBoxMessages, index, item);
}
const char* Combo::ItemText(int index) { return ReadListText(*this, kComboBoxMessages, index); }
LPARAM Combo::SetItemData(int index, LPARAM value) {
    SendListMessage(*this, kComboBoxMessages.setData, index, value);
    return value;
}
LPARAM Combo::ItemData(int index) { return SendMessageA(handle, kComboBoxMessages.data, index, 0); }
int Combo::Select(int index) {
    SendListMessage(*this, kComboBoxMessages.setSelection, index);
    return index;
}
int Combo::Selected() { return SendListMessage(*this, kComboBoxMessages.selection); }

// The height includes the drop-down list.
Combo* SmVentana::AddCombo(int x, int y, int w, int h) {
    const ControlStyle kind{"COMBOBOX", WS_EX_CONTROLPARENT | WS_EX_CLIENTEDGE,
                            WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST |
                                CBS_AUTOHSCROLL | CBS_SORT | CBS_HASSTRINGS |
                                CBS_NOINTEGRALHEIGHT,
                            true};
    return MakeControl<Combo>(*this, kind, "", x, y, w, h);
}
