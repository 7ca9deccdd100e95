#include "ui/controls/tab.h"

#include <commctrl.h>

#include <cstring>

#include "common/bounded_copy.h"
#include "ui/control_creation.h"

// Each page is asked for at index pageCount, one past the last page before
// it; the tab control puts an index past its end at the end, so pages keep
// the order of the calls. No image list is attached: no page has an image.
int Tab::AddPage(const char* caption) {
    ++pageCount;
    CopyBounded(text, sizeof text, caption);
    TCITEMA page{};
    page.mask = TCIF_TEXT | TCIF_IMAGE;
    page.pszText = text;
    page.cchTextMax = static_cast<int>(std::strlen(text));
    page.iImage = -1;
    page.lParam = 0;
    return static_cast<int>(
        SendMessageA(handle, TCM_INSERTITEMA, pageCount, reinterpret_cast<LPARAM>(&page)));
}

int Tab::SelectPage(int index) {
    return static_cast<int>(SendMessageA(handle, TCM_SETCURSEL, index, 0));
}

int Tab::SelectedPage() { return static_cast<int>(SendMessageA(handle, TCM_GETCURSEL, 0, 0)); }

Tab* SmVentana::AddTab(int x, int y, int w, int h) {
    const ControlStyle kind{WC_TABCONTROLA, WS_EX_CONTROLPARENT,
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP, true};
    return MakeControl<Tab>(*this, kind, "", x, y, w, h);
}
