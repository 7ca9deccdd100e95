#include "ui/controls/calendar.h"

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/bounded_copy.h"
#include "ui/control_creation.h"

namespace {

// A segment holds at most 14 characters; the rest of a longer one is dropped.
constexpr int kSegmentSize = 15;

SYSTEMTIME ReadDate(HWND picker) {
    SYSTEMTIME date{};
    SendMessageA(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&date));
    return date;
}

}  // namespace

// Segments before the first and second '/' are the day and the month, those
// after a third '/' are dropped, and the last one is the year.
const char* Calendar::SetDate(const char* date) {
    SYSTEMTIME value = ReadDate(handle);
    CopyBounded(text, sizeof text, date);
    char segment[kSegmentSize] = {};
    int length = 0;
    int slashes = 0;
    for (const char* c = text; *c != '\0'; ++c) {
        if (*c != '/') {
            if (length < kSegmentSize - 1) segment[length++] = *c;
            continue;
        }
        ++slashes;
        int number = std::atoi(segment);
        if (slashes == 1) value.wDay = static_cast<WORD>(number);
        if (slashes == 2) value.wMonth = static_cast<WORD>(number);
        std::memset(segment, 0, sizeof segment);
        length = 0;
    }
    value.wYear = static_cast<WORD>(std::atoi(segment));
    SendMessageA(handle, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&value));
    return text;
}

const char* Calendar::Date() {
    SYSTEMTIME value = ReadDate(handle);
    std::snprintf(text, sizeof text, "%i/%i/%i", value.wDay, value.wMonth, value.wYear);
    return text;
}

// DTS_APPCANPARSE lets the user type the date into the field.
Calendar* SmVentana::AddCalendar(int x, int y, int w, int h) {
    const ControlStyle kind{DATETIMEPICK_CLASSA, WS_EX_CONTROLPARENT | WS_EX_CLIENTEDGE,
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | DTS_APPCANPARSE, true};
    return MakeControl<Calendar>(*this, kind, "", x, y, w, h);
}
