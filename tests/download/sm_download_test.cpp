// The download object against the loopback test server: saving a body to a
// file, reading it with progress or chunk by chunk, collecting it in one
// block, and what happens with addresses that cannot be opened, bodies that
// end short and memory that runs out.
#include "platform/net/sm_download.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "support/own_temp_folder.h"
#include "support/test_server.h"
#include "platform/net/block_memory.h"

namespace {

using Bytes = std::vector<unsigned char>;

class SmDownloadTest : public OwnTempFolder {};

Bytes Prefix(const Bytes& bytes, size_t length) { return Bytes(bytes.begin(), bytes.begin() + length); }

TEST_F(SmDownloadTest, SaveToWritesTheBodyOverAnOlderLongerFile) {
    struct Case {
        const char* name;
        const char* path;
        size_t length;
    };
    const Case cases[] = {
        {"body of many chunks", "/full/5000/a.bin", 5000},
        {"body of one chunk", "/full/1024/a.bin", 1024},
        {"chunked transfer", "/chunked/5000/a.bin", 5000},
        {"empty body", "/full/0/a.bin", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string file = temp() / "saved.bin";
        WriteWholeFile(file, std::string(9000, 'x'));
        SmDownload download(ServerAddress(c.path).c_str());
        ASSERT_TRUE(download.HasAddress());
        EXPECT_EQ(download.SaveTo(file.c_str()), c.length);
        EXPECT_EQ(ReadWholeFile(file), PatternBytes(c.length));
    }
}

// A connection that drops before the announced length is not a whole body.
TEST_F(SmDownloadTest, SaveToLeavesNoFileOfABodyCutShort) {
    std::string file = temp() / "cut.bin";
    WriteWholeFile(file, std::string(9000, 'x'));
    SmDownload download(ServerAddress("/drop/5000/a.bin").c_str());
    ASSERT_TRUE(download.HasAddress());
    EXPECT_EQ(download.SaveTo(file.c_str()), 0u);
    EXPECT_FALSE(FileExists(file));
}

// An address that could not be opened saves nothing and makes no file, also
// when an address opened before it could have been saved instead.
TEST_F(SmDownloadTest, AnAddressThatCannotBeOpenedSavesNothing) {
    std::string fits = ServerAddress("/full/10/");
    fits += std::string(AddressBufferSize - 1 - fits.size(), 'n');
    std::string tooLong = fits + "n";
    struct Case {
        const char* name;
        std::string address;
    };
    const Case cases[] = {
        {"missing on the server", ServerAddress("/missing/10/a.bin")},
        {"empty address", ""},
        {"address one character too long for the buffer", tooLong},
        {"nothing listening on the port", "http://127.0.0.1:1/full/10/a.bin"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string file = temp() / "never.bin";
        SmDownload download;
        ASSERT_TRUE(download.HasSession());
        ASSERT_TRUE(download.OpenUrl(fits.c_str()));
        EXPECT_STREQ(download.Address(), fits.c_str());
        EXPECT_FALSE(download.OpenUrl(c.address.c_str()));
        EXPECT_FALSE(download.HasAddress());
        EXPECT_EQ(download.SaveTo(file.c_str()), 0u);
        EXPECT_FALSE(FileExists(file));
        EXPECT_FALSE(download.SaveToWithProgress(file.c_str(), 10, nullptr));
        EXPECT_FALSE(FileExists(file));
    }
    SmDownload opened(fits.c_str());
    EXPECT_EQ(opened.SaveTo(""), 0u);
    EXPECT_EQ(opened.SaveTo((temp() / "fits.bin").c_str()), 10u);
}

struct ProgressCall {
    uint32_t received;
    uint32_t expected;
};

void RecordProgress(uint32_t received, uint32_t expected, void* context) {
    static_cast<std::vector<ProgressCall>*>(context)->push_back({received, expected});
}

// Every chunk is reported; a body that ends short of the expected count, or
// breaks off, leaves no file and is not a success.
TEST_F(SmDownloadTest, SaveToWithProgress) {
    struct Case {
        const char* name;
        const char* path;
        uint32_t expected;
        bool complete;
    };
    const Case cases[] = {
        {"the expected length", "/full/5000/a.bin", 5000, true},
        {"longer than expected: stops after the chunk that reaches it", "/full/5000/a.bin", 2000, true},
        {"shorter than expected", "/full/3000/a.bin", 5000, false},
        {"connection dropped halfway", "/drop/5000/a.bin", 5000, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string file = temp() / "progress.bin";
        WriteWholeFile(file, std::string(9000, 'x'));
        std::vector<ProgressCall> calls;
        SmDownload download(ServerAddress(c.path).c_str());
        EXPECT_EQ(download.SaveToWithProgress(file.c_str(), c.expected, RecordProgress, &calls), c.complete);
        if (!c.complete) {
            EXPECT_FALSE(FileExists(file));
            continue;
        }
        ASSERT_FALSE(calls.empty());
        uint32_t previous = 0;
        for (const ProgressCall& call : calls) {
            EXPECT_EQ(call.expected, c.expected);
            EXPECT_GT(call.received, previous);
            EXPECT_LE(call.received - previous, DownloadChunkSize);
            previous = call.received;
        }
        EXPECT_GE(previous, c.expected);
        EXPECT_LT(previous, c.expected + DownloadChunkSize);
        EXPECT_EQ(ReadWholeFile(file), Prefix(PatternBytes(5000), previous));
    }
}

struct Collected {
    Bytes bytes;
    bool consistent = true;  // every call's counts agree with the chunks so far
};

void Collect(const char* chunk, uint32_t length, uint32_t received, uint32_t expected, void* context) {
    auto* collected = static_cast<Collected*>(context);
    collected->bytes.insert(collected->bytes.end(), chunk, chunk + length);
    if (length == 0 || length > DownloadChunkSize || received != collected->bytes.size() || expected != 5000) {
        collected->consistent = false;
    }
}

TEST_F(SmDownloadTest, ReadWithCallbackHandsOverEveryChunk) {
    struct Case {
        const char* name;
        const char* path;
        size_t atLeast;  // what must have arrived
        bool complete;
    };
    const Case cases[] = {
        {"the expected length", "/full/5000/a.bin", 5000, true},
        {"longer than expected", "/full/9000/a.bin", 5000, true},
        {"shorter than expected", "/full/3000/a.bin", 3000, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Collected collected;
        SmDownload download(ServerAddress(c.path).c_str());
        EXPECT_EQ(download.ReadWithCallback(5000, Collect, &collected), c.complete);
        EXPECT_TRUE(collected.consistent);
        EXPECT_GE(collected.bytes.size(), c.atLeast);
        EXPECT_LT(collected.bytes.size(), c.atLeast + DownloadChunkSize);
        EXPECT_EQ(collected.bytes, Prefix(PatternBytes(9000), collected.bytes.size()));
    }
    Collected none;
    SmDownload unopened;
    EXPECT_FALSE(unopened.ReadWithCallback(5000, Collect, &none));
    EXPECT_TRUE(none.bytes.empty());
}

TEST_F(SmDownloadTest, ReadAllCollectsTheWholeBody) {
    struct Case {
        const char* name;
        const char* path;
        size_t length;  // 0: nothing is handed out
    };
    const Case cases[] = {
        {"body of many chunks", "/full/50000/a.bin", 50000},
        {"chunked transfer", "/chunked/50000/a.bin", 50000},
        {"a single byte", "/full/1/a.bin", 1},
        {"empty body", "/full/0/a.bin", 0},
        {"connection dropped halfway", "/drop/50000/a.bin", 0},
        {"missing on the server", "/missing/50000/a.bin", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SmDownload download(ServerAddress(c.path).c_str());
        char* block = reinterpret_cast<char*>(&download);  // must be replaced
        uint32_t size = download.ReadAll(&block);
        EXPECT_EQ(size, c.length);
        if (c.length == 0) {
            EXPECT_EQ(block, nullptr);
            continue;
        }
        ASSERT_NE(block, nullptr);
        EXPECT_EQ(Bytes(block, block + size), PatternBytes(c.length));
        std::free(block);
    }
}

// Memory that tracks every block it hands out and fails at a chosen resize;
// installed for the life of the object.
class TrackedMemory {
public:
    TrackedMemory() {
        TheBlockResize = Resize;
        TheBlockRelease = Release;
        resizes = 0;
    }
    ~TrackedMemory() {
        TheBlockResize = std::realloc;
        TheBlockRelease = std::free;
        for (void* block : live) std::free(block);
        live.clear();
        failAt = 0;
    }
    static int resizes;
    static int failAt;  // 1-based; 0: never
    static std::set<void*> live;

private:
    static void* Resize(void* block, size_t size) {
        if (++resizes == failAt) return nullptr;
        void* grown = std::realloc(block, size);
        if (grown != nullptr) {
            live.erase(block);
            live.insert(grown);
        }
        return grown;
    }
    static void Release(void* block) {
        live.erase(block);
        std::free(block);
    }
};
int TrackedMemory::resizes = 0;
int TrackedMemory::failAt = 0;
std::set<void*> TrackedMemory::live;

// Running out of memory at the first, the second or a middle growth of the
// block releases what was collected and hands out nothing.
TEST_F(SmDownloadTest, ReadAllReleasesTheBlockWhenMemoryRunsOut) {
    TrackedMemory memory;
    SmDownload counting(ServerAddress("/full/20000/a.bin").c_str());
    char* block = nullptr;
    ASSERT_EQ(counting.ReadAll(&block), 20000u);
    ASSERT_GE(TrackedMemory::resizes, 20);  // one growth per chunk of at most 1024 bytes
    EXPECT_EQ(TrackedMemory::live, std::set<void*>{block});
    TrackedMemory::live.clear();
    std::free(block);

    for (int failAt : {1, 2, 10}) {
        SCOPED_TRACE(failAt);
        TrackedMemory::resizes = 0;
        TrackedMemory::failAt = failAt;
        SmDownload download(ServerAddress("/full/20000/a.bin").c_str());
        char* none = reinterpret_cast<char*>(&download);
        EXPECT_EQ(download.ReadAll(&none), 0u);
        EXPECT_EQ(none, nullptr);
        EXPECT_TRUE(TrackedMemory::live.empty());
    }
}

// Every request names the maker as its agent.
TEST_F(SmDownloadTest, RequestsCarryTheMakersName) {
    SmDownload download(ServerAddress("/full/10/agent.bin").c_str());
    EXPECT_TRUE(download.ReadWithCallback(10, nullptr));
    std::vector<std::string> log = ServerLog();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), "/full/10/agent.bin\tVelmarisco");
}

}  // namespace
