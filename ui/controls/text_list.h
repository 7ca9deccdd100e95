#pragma once
#include <windows.h>

class SmControl;

// List boxes and the lists of combo boxes answer the same operations under
// different message numbers. These carry them out for either kind, given its
// messages; item texts pass through the control's `text`.
struct ListMessages {
    UINT reset, count, remove, add, insert, textLength, text, setData, data, setSelection,
        selection;
};
extern const ListMessages kListBoxMessages;
extern const ListMessages kComboBoxMessages;

// Sends one message with the given parameters and returns the answer as int.
int SendListMessage(const SmControl& control, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
// Adds a copy of the text (at most 149 characters); returns the index the
// list gave it, its sorted position in a sorted list.
int AddListText(SmControl& control, const ListMessages& messages, const char* item);
// Puts a copy of the text in place of the item at index, at that same index
// even in a sorted list. An index that names no item changes nothing.
const char* ReplaceListText(SmControl& control, const ListMessages& messages, int index,
                            const char* item);
// Reads the item's text into `text`, cut at 149 characters; empty for an
// index that names no item.
const char* ReadListText(SmControl& control, const ListMessages& messages, int index);
