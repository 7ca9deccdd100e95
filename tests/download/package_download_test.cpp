// Downloading the package over the routine's session into the temporary
// folder: only a body of exactly the announced length is a package; the
// progress runs in thousands of bytes and the screen is pumped once per
// chunk.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/own_temp_folder.h"
#include "support/recording_progress.h"
#include "support/test_server.h"
#include "platform/seam/fault_seam.h"
#include "platform/net/online_package.h"

namespace {

class DownloadPackageTest : public OwnTempFolder {
protected:
    void SetUp() override {
        OwnTempFolder::SetUp();
        ASSERT_TRUE(OpenSession());
    }
    void TearDown() override {
        CloseSession();
        OwnTempFolder::TearDown();
    }
    // A package of an earlier run, longer than any of the tests'.
    void LeaveOlderPackage() { WriteWholeFile(TempPackage(), std::string(30000, 'x')); }
};

TEST_F(DownloadPackageTest, OnlyTheAnnouncedLengthIsAPackage) {
    struct Case {
        const char* name;
        const char* base;
        int expected;
        bool complete;
        bool opens;  // the address opens, so the progress range is set
    };
    const Case cases[] = {
        {"whole package in many chunks", "/full/10000", 10000, true, true},
        {"under a thousand bytes: range 0 to 0", "/full/999", 999, true, true},
        {"chunked transfer", "/chunked/10000", 10000, true, true},
        {"fewer bytes than announced", "/full/6000", 10000, false, true},
        {"more bytes than announced", "/full/12000", 10000, false, true},
        {"one whole chunk more than announced", "/full/4096", 2048, false, true},
        {"connection dropped halfway", "/drop/10000", 10000, false, true},
        {"nothing announced", "/full/100", 0, false, true},
        {"a negative length announced", "/full/100", -5, false, true},
        {"package missing on the server", "/missing/10000", 10000, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LeaveOlderPackage();
        std::vector<ProgressEvent> log;
        RecordingProgress progress(log);
        EXPECT_EQ(DownloadPackage(ServerAddress(c.base).c_str(), "OrvNet.txt", c.expected, progress), c.complete);
        if (c.complete) {
            EXPECT_EQ(ReadWholeFile(TempPackage()), PatternBytes(static_cast<size_t>(c.expected)));
        } else {
            EXPECT_FALSE(FileExists(TempPackage()));
        }
        if (!c.opens) {
            EXPECT_TRUE(log.empty());
            continue;
        }
        ASSERT_GE(log.size(), 2u);
        EXPECT_EQ(log[0].kind, 'x');
        EXPECT_EQ(log[0].value, c.expected / 1000);
        EXPECT_EQ(log[1].kind, 'n');
        EXPECT_EQ(log[1].value, 0);
        if (c.complete) {
            EXPECT_EQ(log.back().kind, 'p');
            EXPECT_EQ(log.back().value, c.expected / 1000);
        }
        for (size_t i = 3; i < log.size(); ++i) EXPECT_LE(log[i - 1].value, log[i].value);
    }
    std::vector<std::string> requests = ServerLog();
    ASSERT_FALSE(requests.empty());
    EXPECT_EQ(requests.back(), "/missing/10000/OrvNet.txt\tVelmarisco");
}

TEST_F(DownloadPackageTest, NeedsTheRoutinesSession) {
    LeaveOlderPackage();
    CloseSession();
    std::vector<ProgressEvent> log;
    RecordingProgress progress(log);
    EXPECT_FALSE(DownloadPackage(ServerAddress("/full/10000").c_str(), "OrvNet.txt", 10000, progress));
    EXPECT_FALSE(FileExists(TempPackage()));
    EXPECT_TRUE(log.empty());
}

// A package file that another program holds cannot be replaced: writing
// over it would keep its tail, so nothing is written.
TEST_F(DownloadPackageTest, AHeldPackageFileIsLeftAsItWas) {
    LeaveOlderPackage();
    HANDLE holder = CreateFileA(TempPackage().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    std::vector<ProgressEvent> log;
    RecordingProgress progress(log);
    EXPECT_FALSE(DownloadPackage(ServerAddress("/full/10000").c_str(), "OrvNet.txt", 10000, progress));
    CloseHandle(holder);
    EXPECT_EQ(ReadWholeFile(TempPackage()), std::vector<unsigned char>(30000, 'x'));
}

// A disk that fills up while the package is written: not a package.
TEST_F(DownloadPackageTest, AFailedWriteLeavesNoPackage) {
    TheFaultHook = [](SeamCall call, const char*) {
        return call == SeamCall::WriteFile ? SeamFault::DiskFull : SeamFault::None;
    };
    std::vector<ProgressEvent> log;
    RecordingProgress progress(log);
    bool complete = DownloadPackage(ServerAddress("/full/10000").c_str(), "OrvNet.txt", 10000, progress);
    TheFaultHook = nullptr;
    EXPECT_FALSE(complete);
    EXPECT_FALSE(FileExists(TempPackage()));
}

// Pumped messages land in this log, beside the progress calls.
std::vector<ProgressEvent>* PumpLog = nullptr;

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP && PumpLog != nullptr) PumpLog->push_back({'m', 0});
    return DefWindowProcA(window, message, wParam, lParam);
}

// With plenty of messages waiting, exactly one is handled before every read:
// one before the first chunk, one after each chunk (before the next read or
// the read that finds the end), none more.
TEST_F(DownloadPackageTest, PumpsOneMessageBeforeEveryRead) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = CountingProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "SmPumpCounter";
    ASSERT_NE(RegisterClassA(&windowClass), 0);
    HWND window = CreateWindowExA(0, "SmPumpCounter", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  windowClass.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    const int waiting = 500;
    for (int i = 0; i < waiting; ++i) ASSERT_TRUE(PostMessageA(window, WM_APP, 0, 0));

    std::vector<ProgressEvent> log;
    PumpLog = &log;
    RecordingProgress progress(log);
    EXPECT_TRUE(DownloadPackage(ServerAddress("/full/20000").c_str(), "OrvNet.txt", 20000, progress));
    PumpLog = nullptr;

    std::string kinds = Kinds(log);
    ASSERT_GE(kinds.size(), 3u);
    EXPECT_EQ(kinds.substr(0, 2), "xn");
    std::string transfer = kinds.substr(2);
    size_t chunks = transfer.size() / 2;
    EXPECT_GE(chunks, 10u);  // 20000 bytes in reads of at most 2048
    std::string alternating = "m";
    for (size_t i = 0; i < chunks; ++i) alternating += "pm";
    EXPECT_EQ(transfer, alternating);

    MSG message;
    int left = 0;
    while (PeekMessageA(&message, window, WM_APP, WM_APP, PM_REMOVE)) ++left;
    EXPECT_EQ(left, waiting - static_cast<int>(chunks + 1));
    DestroyWindow(window);
    UnregisterClassA("SmPumpCounter", windowClass.hInstance);
}

}  // namespace
