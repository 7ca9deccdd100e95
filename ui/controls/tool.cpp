#include "ui/controls/tool.h"

#include <cstring>

#include "common/bounded_copy.h"
#include "ui/control_creation.h"

static_assert(sizeof(TBBUTTON) == (sizeof(void*) == 8 ? 32 : 20),
              "the toolbar takes 20-byte button descriptions (32 in a 64-bit program)");

bool Tool::Describe(int image, BYTE style, INT_PTR string) {
    if (buttonCount < 0 || buttonCount >= kMaxButtons) return false;
    TBBUTTON& button = buttons[buttonCount];
    button = TBBUTTON{};
    button.iBitmap = image;
    button.idCommand = kFirstCommand + buttonCount;
    button.fsState = TBSTATE_ENABLED;
    button.fsStyle = style;
    button.dwData = static_cast<DWORD_PTR>(buttonCount);
    button.iString = string;
    ++buttonCount;
    return true;
}

bool Tool::AddSeparator() { return Describe(-1, TBSTYLE_SEP, 0); }

// The toolbar's string pool takes a list of texts ended by an empty one;
// the caption goes in as a list of exactly one.
bool Tool::AddButton(const char* caption, int image) {
    if (buttonCount < 0 || buttonCount >= kMaxButtons) return false;
    CopyBounded(text, sizeof text, caption);
    INT_PTR string = -1;
    if (text[0] != '\0') {
        char pool[kTextSize + 1] = {};
        std::memcpy(pool, text, std::strlen(text));
        string = SendMessageA(handle, TB_ADDSTRINGA, 0, reinterpret_cast<LPARAM>(pool));
    }
    return Describe(image, TBSTYLE_BUTTON, string);
}

// Buttons the toolbar already shows are removed first, so that a second call
// does not show every earlier button twice.
void Tool::ShowButtons() {
    while (SendMessageA(handle, TB_BUTTONCOUNT, 0, 0) > 0) {
        if (!SendMessageA(handle, TB_DELETEBUTTON, 0, 0)) break;
    }
    TBADDBITMAP strip{};
    if (bitmapId != 0) {
        strip.hInst = GetModuleHandleA(nullptr);
        strip.nID = static_cast<UINT_PTR>(bitmapId);
    } else {
        strip.hInst = HINST_COMMCTRL;
        strip.nID = IDB_STD_SMALL_COLOR;
    }
    SendMessageA(handle, TB_ADDBITMAP, buttonCount, reinterpret_cast<LPARAM>(&strip));
    SendMessageA(handle, TB_ADDBUTTONSA, buttonCount, reinterpret_cast<LPARAM>(buttons));
    ShowWindow(handle, SW_SHOWNORMAL);
}

// The toolbar places and sizes itself along the top of the window, and the
// window sends it TB_AUTOSIZE again on every resize. Its style already makes
// it visible.
Tool* SmVentana::AddTool(int bitmap, int imageSize) {
    int id = ReserveControlSlot(*this);
    if (id == 0) return nullptr;
    auto* tool = new Tool(id, handle);
    tool->bitmapId = bitmap;
    const ControlStyle kind{TOOLBARCLASSNAMEA, 0,
                            WS_CHILD | WS_VISIBLE | WS_BORDER | TBSTYLE_WRAPABLE |
                                TBSTYLE_TOOLTIPS | CCS_ADJUSTABLE,
                            true};
    CreateControlWindow(*this, *tool, kind, "", 0, 0, 0, 0);
    SendMessageA(tool->handle, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SetDefaultFont(*tool);
    UpdateWindow(tool->handle);
    LinkControl(*tool);
    SendMessageA(tool->handle, TB_AUTOSIZE, 0, 0);
    SendMessageA(tool->handle, TB_SETBITMAPSIZE, 0, MAKELPARAM(imageSize, imageSize));
    PlaceInTable(*this, *tool);
    return tool;
}
