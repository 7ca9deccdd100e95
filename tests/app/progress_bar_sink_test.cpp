// The consent screen's progress bar as the run's progress target: positions
// that would not move the drawn fill are held back, what is drawn always
// matches the position given, and the last position reaches the bar.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "app/control_sinks.h"
#include "support/message_hook.h"
#include "support/ui_fixture.h"

namespace {

class ProgressBarSinkTest : public ShownDialogTest {
protected:
    void SetUp() override {
        ShownDialogTest::SetUp();
        bar = window->AddProgress(10, 300, 300, 20);
        ASSERT_NE(bar, nullptr);
        RECT area{};
        GetClientRect(bar->handle, &area);
        width = area.right - area.left;
        ASSERT_GT(width, 0);
    }
    Progress* bar = nullptr;
    int width = 0;
};

// The bar's client area as the control itself draws it.
std::vector<uint32_t> Drawn(HWND control) {
    RECT area{};
    GetClientRect(control, &area);
    HDC screen = GetDC(control);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, area.right, area.bottom);
    HGDIOBJ old = SelectObject(memory, bitmap);
    SendMessageA(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT | PRF_ERASEBKGND);
    SelectObject(memory, old);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = area.right;
    info.bmiHeader.biHeight = -area.bottom;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    std::vector<uint32_t> pixels(static_cast<size_t>(area.right) * area.bottom);
    GetDIBits(memory, bitmap, 0, area.bottom, pixels.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(control, screen);
    return pixels;
}

// The real product's shape: 25,372 records, a position per file. What the
// bar draws for the position it holds is compared with what a second bar
// of the same size draws for the position given, so the control's own
// drawing is the judge.
TEST_F(ProgressBarSinkTest, AThousandsOfFilesRunDrawsEveryFillInAtMostOneStepPerPixel) {
    const int records = 25372;
    const int files = 25130;
    Progress* reference = window->AddProgress(10, 340, 300, 20);
    ASSERT_NE(reference, nullptr);
    reference->SetMaximum(records);
    reference->SetMinimum(0);
    ProgressBarSink sink(*bar);
    MessageHook hook;
    sink.SetMaximum(records);
    sink.SetMinimum(0);
    sink.SetPosition(0);
    for (int position = 1; position <= files; ++position) {
        sink.SetPosition(position);
        // Every position near a pixel of fill, and a sample of the rest.
        if (position % 7 != 0 && (position * width) % records >= width * 2) continue;
        reference->SetPosition(position);
        ASSERT_EQ(Drawn(bar->handle), Drawn(reference->handle)) << "position " << position << ", held "
                                                                << bar->Position();
    }
    EXPECT_LE(hook.To(bar->handle, PBM_SETPOS).size(), static_cast<size_t>(width) + 2);
    EXPECT_LT(bar->Position(), files);

    sink.Flush();
    EXPECT_EQ(bar->Position(), files);
}

TEST_F(ProgressBarSinkTest, EndsAndNewBoundsAreNeverHeldBack) {
    ProgressBarSink sink(*bar);
    sink.SetMaximum(100000);
    sink.SetPosition(0);
    sink.SetPosition(1);  // same fill as 0: held
    EXPECT_EQ(bar->Position(), 0);

    // A new range first brings the bar to the position held under the old one.
    MessageHook hook;
    sink.SetMaximum(10);
    ASSERT_EQ(hook.To(bar->handle, PBM_SETPOS).size(), 1u);
    EXPECT_LT(hook.IndexOf(bar->handle, PBM_SETPOS), hook.IndexOf(bar->handle, PBM_SETRANGE));
    EXPECT_EQ(bar->Position(), 1);

    const int positions[] = {10, 0, 12, -3};  // the ends, and outside the range
    for (int position : positions) {
        sink.SetPosition(position);
        EXPECT_EQ(hook.To(bar->handle, PBM_SETPOS).back().wParam, static_cast<WPARAM>(position)) << position;
    }
}

}  // namespace
