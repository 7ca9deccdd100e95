// The consent screen's progress bar as the run's progress target: positions
// that would not move the drawn fill are held back, what is drawn always
// matches the position given, and the last position reaches the bar.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

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
    long long FillOf(int position, int maximum) const {
        return static_cast<long long>(position) * width / maximum;
    }
    Progress* bar = nullptr;
    int width = 0;
};

// The real product's shape: 25,372 records, a position per file.
TEST_F(ProgressBarSinkTest, AThousandsOfFilesRunDrawsEveryFillInAtMostOneStepPerPixel) {
    const int records = 25372;
    const int files = 25130;
    ProgressBarSink sink(*bar);
    MessageHook hook;
    sink.SetMaximum(records);
    sink.SetMinimum(0);
    sink.SetPosition(0);
    for (int position = 1; position <= files; ++position) {
        sink.SetPosition(position);
        ASSERT_EQ(FillOf(bar->Position(), records), FillOf(position, records)) << position;
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
