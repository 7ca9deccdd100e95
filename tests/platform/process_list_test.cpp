// Process control: a helper process that the test starts is found in a
// snapshot by its name in another case, and ended through the list.
#include "platform/process/process_list.h"

#include <gtest/gtest.h>

#include <string>

#include "support/beside_test.h"

namespace {

const char kSleeper[] = "sm_test_sleeper.exe";

// The helper process, ended at the end of the test whatever happened.
class Sleeper {
public:
    Sleeper() {
        std::string path = BesideTest(kSleeper);
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        started_ = CreateProcessA(path.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                  &info_) != FALSE;
    }
    ~Sleeper() {
        if (!started_) return;
        TerminateProcess(info_.hProcess, 0);
        CloseHandle(info_.hThread);
        CloseHandle(info_.hProcess);
    }
    bool started() const { return started_; }
    HANDLE process() const { return info_.hProcess; }
    DWORD id() const { return info_.dwProcessId; }

private:
    bool started_ = false;
    PROCESS_INFORMATION info_ = {};
};

TEST(ProcessList, FindsAndTerminatesAProcessByName) {
    Sleeper sleeper;
    ASSERT_TRUE(sleeper.started());
    ProcessList* list = nullptr;
    SnapshotProcesses(&list);
    ASSERT_NE(list, nullptr);

    int index = FindProcess(list, "SM_Test_Sleeper.EXE");
    ASSERT_GT(index, 0);
    EXPECT_EQ(ProcessIdAt(list, index), sleeper.id());
    EXPECT_STRCASEEQ(ProcessNameAt(list, index), kSleeper);

    TerminateProcessAt(list, index);
    ASSERT_EQ(WaitForSingleObject(sleeper.process(), 30000), WAIT_OBJECT_0);
    DWORD exitCode = 0;
    ASSERT_TRUE(GetExitCodeProcess(sleeper.process(), &exitCode));
    EXPECT_NE(exitCode, static_cast<DWORD>(STILL_ACTIVE));
    EXPECT_EQ(exitCode, TerminatedExitCode);
    delete list;
}

TEST(ProcessList, IndicesOutOfRangeAndUnknownNames) {
    ProcessList* list = nullptr;
    SnapshotProcesses(&list);
    ASSERT_GT(list->Count(), 0);
    // This very program is in the snapshot, under its name. Another copy of
    // it, running the other test beside this one, may be there too, so the
    // name alone need not find this copy.
    int self = 0;
    for (int i = 1; i <= list->Count(); ++i) {
        if (ProcessIdAt(list, i) == GetCurrentProcessId()) self = i;
    }
    ASSERT_GT(self, 0);
    EXPECT_STRCASEEQ(ProcessNameAt(list, self), "process_list_tests.exe");
    EXPECT_GT(FindProcess(list, "process_list_tests.exe"), 0);

    const int outside[] = {0, list->Count() + 1};
    for (int index : outside) {
        EXPECT_EQ(ProcessIdAt(list, index), 0u);
        EXPECT_EQ(ProcessNameAt(list, index), nullptr);
        TerminateProcessAt(list, index);  // ignored
    }
    EXPECT_EQ(FindProcess(list, ""), 0);
    EXPECT_EQ(FindProcess(list, "no-such-program.exe"), 0);
    // A prefix of a name is not the name.
    EXPECT_EQ(FindProcess(list, "process_list_tests"), 0);
    delete list;
}

}  // namespace
