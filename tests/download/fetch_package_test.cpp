// The online package routine: a package beside the program is copied
// without any connection; otherwise the server's size answer decides, and
// the package is downloaded into the temporary folder.
#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "support/own_temp_folder.h"
#include "support/program_run.h"
#include "support/recording_progress.h"
#include "support/test_server.h"
#include "support/beside_test.h"
#include "platform/net/download_host.h"
#include "platform/net/online_package.h"

namespace {

const std::string kSizeRequest = std::string(SizeQueryPath) + "\tVelmarisco";

class FetchPackageTest : public OwnTempFolder {
protected:
    void SetUp() override {
        OwnTempFolder::SetUp();
        savedHost_ = DownloadHost;
        host_ = ServerHost();
        DownloadHost = host_.c_str();
    }
    void TearDown() override {
        DownloadHost = savedHost_;
        OwnTempFolder::TearDown();
    }

private:
    const char* savedHost_ = nullptr;
    std::string host_;
};

// The size file's first line, through the temporary folder, which keeps
// nothing of it. An older package there is neither read as the answer nor
// left with its tail under a shorter one.
TEST_F(FetchPackageTest, SizeIsTheFirstLineOfTheServersAnswer) {
    struct Case {
        const char* name;
        const char* answer;  // null: the server has none (404)
        int size;
    };
    const Case cases[] = {
        {"a number and CR LF", "25000\r\n", 25000},
        {"a number without line end", "25000", 25000},
        {"the first of several lines", "7\r\n8\r\n", 7},
        {"blanks before the number", "  42\r\n", 42},
        {"digits followed by text", "12 bytes\r\n", 12},
        {"zero", "0\r\n", 0},
        {"no number", "abc\r\n", 0},
        {"empty answer", "", 0},
        {"too large for an int", "99999999999\r\n", 0},
        {"no answer at all", nullptr, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.answer != nullptr) SetSizeText(c.answer);
        WriteWholeFile(TempPackage(), std::string("987654321987654321\r\n"));
        EXPECT_EQ(FetchPackageSize(), c.size);
        EXPECT_FALSE(FileExists(TempPackage()));
    }
    std::vector<std::string> requests = ServerLog();
    ASSERT_EQ(requests.size(), std::size(cases));
    for (const std::string& request : requests) EXPECT_EQ(request, kSizeRequest);

    // An older file that another program holds is never read as the answer.
    SetSizeText("25000\r\n");
    WriteWholeFile(TempPackage(), std::string("987654321\r\n"));
    HANDLE holder = CreateFileA(TempPackage().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    EXPECT_EQ(FetchPackageSize(), 0);
    CloseHandle(holder);
}

// Without a usable size nothing more is asked of the server.
TEST_F(FetchPackageTest, NoSizeNoDownload) {
    const char* answers[] = {"0\r\n", "abc\r\n", "-5\r\n"};
    for (const char* answer : answers) {
        SCOPED_TRACE(answer);
        SetSizeText(answer);
        std::vector<ProgressEvent> log;
        RecordingProgress progress(log);
        EXPECT_FALSE(FetchPackage(ServerAddress("/full/5000").c_str(), "OrvNet.txt", progress));
        EXPECT_FALSE(FileExists(TempPackage()));
        EXPECT_TRUE(log.empty());
        EXPECT_EQ(ServerLog().back(), kSizeRequest);
    }
    EXPECT_EQ(ServerLog().size(), std::size(answers));
}

TEST_F(FetchPackageTest, DownloadsWhatTheServerAnnounces) {
    char local[PathBufferSize];
    ASSERT_FALSE(FindLocalPackage(local, sizeof local)) << local;
    EXPECT_EQ(std::string(local), BesideTest("OrvNet.txt"));

    SetSizeText("50000\r\n");
    std::vector<ProgressEvent> log;
    RecordingProgress progress(log);
    EXPECT_TRUE(FetchPackage(ServerAddress("/full/50000").c_str(), "OrvNet.txt", progress));
    EXPECT_EQ(ReadWholeFile(TempPackage()), PatternBytes(50000));
    std::string kinds = Kinds(log);
    EXPECT_EQ(kinds.substr(0, 2), "xn");
    EXPECT_EQ(log[0].value, 50);
    EXPECT_EQ(log.back().value, 50);
    std::vector<std::string> requests = ServerLog();
    EXPECT_EQ(requests, (std::vector<std::string>{kSizeRequest, "/full/50000/OrvNet.txt\tVelmarisco"}));

    // The routine closed its session again.
    EXPECT_FALSE(DownloadPackage(ServerAddress("/full/50000").c_str(), "OrvNet.txt", 50000, progress));
    // A size answer that does not match the package: nothing is kept.
    SetSizeText("40000\r\n");
    EXPECT_FALSE(FetchPackage(ServerAddress("/full/50000").c_str(), "OrvNet.txt", progress));
    EXPECT_FALSE(FileExists(TempPackage()));
}

// Runs a copy of the fetcher program from folder (the case's temporary
// folder inherited) and returns its exit status.
DWORD RunFetcherFrom(const std::string& folder) {
    std::string program = folder + "\\fetcher.exe";
    if (!CopyFileA(BesideTest("sm_package_fetcher.exe").c_str(), program.c_str(), FALSE)) return 100;
    std::string command = QuotedArgument(program) + " " + ServerAddress("/full/5000") + " OrvNet.txt " + ServerHost();
    DWORD status = RunProgram(command, 60000).value_or(102);
    DeleteFileA(program.c_str());
    return status;
}

// "OrvNet.txt" beside the program: copied into the temporary folder, never
// a request to the server (whose size answer would be a different package).
TEST_F(FetchPackageTest, ALocalPackageIsCopiedWithoutAConnection) {
    struct Case {
        const char* name;
        bool inTempFolder;  // the program runs from the temporary folder itself
        bool held;          // another program holds the package without sharing
        bool fetched;
    };
    const Case cases[] = {
        {"beside the program", false, false, true},
        {"beside a program started from the temporary folder", true, false, true},
        {"held by another program", false, true, false},
    };
    SetSizeText("5000\r\n");
    const std::string package = "local package \xF1 \r\n" + std::string(3000, 'L');
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir programFolder;
        std::string folder = c.inTempFolder ? temp().path() : programFolder.path();
        std::string local = folder + "\\OrvNet.txt";
        if (!c.inTempFolder) WriteWholeFile(TempPackage(), std::string(9000, 'x'));
        WriteWholeFile(local, package);
        HANDLE holder = c.held ? CreateFileA(local.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)
                               : INVALID_HANDLE_VALUE;
        EXPECT_EQ(RunFetcherFrom(folder), c.fetched ? 0u : 1u);
        if (holder != INVALID_HANDLE_VALUE) CloseHandle(holder);
        if (c.fetched) {
            std::vector<unsigned char> copied = ReadWholeFile(TempPackage());
            EXPECT_EQ(std::string(copied.begin(), copied.end()), package);
        } else {
            EXPECT_FALSE(FileExists(TempPackage()));
        }
        EXPECT_TRUE(FileExists(local));
        if (c.inTempFolder) DeleteFileA(local.c_str());
    }
    EXPECT_TRUE(ServerLog().empty());
}

}  // namespace
