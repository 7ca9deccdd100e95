#include "ui/controls/text_list.h"

#include <cstring>
#include <vector>

#include "common/bounded_copy.h"
#include "ui/sm_control.h"

const ListMessages kListBoxMessages{LB_RESETCONTENT, LB_GETCOUNT,   LB_DELETESTRING, LB_ADDSTRING,
                                    LB_INSERTSTRING, LB_GETTEXTLEN, LB_GETTEXT,      LB_SETITEMDATA,
                                    LB_GETITEMDATA,  LB_SETCURSEL,  LB_GETCURSEL};
const ListMessages kComboBoxMessages{CB_RESETCONTENT,   CB_GETCOUNT,      CB_DELETESTRING,
                                     CB_ADDSTRING,      CB_INSERTSTRING,  CB_GETLBTEXTLEN,
                                     CB_GETLBTEXT,      CB_SETITEMDATA,   CB_GETITEMDATA,
                                     CB_SETCURSEL,      CB_GETCURSEL};

int SendListMessage(const SmControl& control, UINT message, WPARAM wParam, LPARAM lParam) {
    return static_cast<int>(SendMessageA(control.handle, message, wParam, lParam));
}

int AddListText(SmControl& control, const ListMessages& messages, const char* item) {
    CopyBounded(control.text, sizeof control.text, item);
    return SendListMessage(control, messages.add, 0, reinterpret_cast<LPARAM>(control.text));
}

// Deleting first and inserting at an index that no longer exists would add
// an item at the end instead of replacing one.
const char* ReplaceListText(SmControl& control, const ListMessages& messages, int index,
                            const char* item) {
    CopyBounded(control.text, sizeof control.text, item);
    if (index < 0 || index >= SendListMessage(control, messages.count)) return control.text;
    SendListMessage(control, messages.remove, index);
    SendListMessage(control, messages.insert, index, reinterpret_cast<LPARAM>(control.text));
    return control.text;
}

// The list copies a whole item with no limit, so it goes into a buffer of
// the item's own length first.
const char* ReadListText(SmControl& control, const ListMessages& messages, int index) {
    std::memset(control.text, 0, sizeof control.text);
    int length = SendListMessage(control, messages.textLength, index);
    if (length < 0) return control.text;
    std::vector<char> item(static_cast<size_t>(length) + 1, '\0');
    SendListMessage(control, messages.text, index, reinterpret_cast<LPARAM>(item.data()));
    CopyBounded(control.text, sizeof control.text, item.data());
    return control.text;
}
