// Every failure of WriteSingleFileCabinet returns false with a message that
// names the file, and leaves the folders exactly as they were: no temporary
// file, no partial cabinet, an older cabinet untouched.
#include "tools/cab/cab_writer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <stdexcept>

#include "cab/test_inputs.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using Progress = std::function<void(uint64_t, uint64_t)>;
const Bytes kOlderCabinet = {'o', 'l', 'd', ' ', 'c', 'a', 'b'};

std::set<std::string> Listing(const std::string& root) {
    std::set<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(root)) names.insert(entry.path().string());
    return names;
}

class CabWriterFailure : public testing::Test {
protected:
    void SetUp() override {
        WriteWholeFile(source, MixedBytes(5 * 32768));
        WriteWholeFile(output, kOlderCabinet);
    }

    // Runs the writer, which must fail with a message holding `named`.
    void ExpectCleanFailure(const std::string& from, const std::string& name, const std::string& to,
                            const std::string& named, const Progress& progress = {}, unsigned threads = 0) {
        std::set<std::string> before = Listing(dir.path());
        std::string error;
        EXPECT_FALSE(WriteSingleFileCabinet(from, name, to, error, progress, threads));
        EXPECT_NE(error.find(named), std::string::npos) << "message: " << error;
        EXPECT_EQ(Listing(dir.path()), before) << "files were left behind";
        EXPECT_EQ(ReadWholeFile(output), kOlderCabinet);
    }

    TempDir dir;
    std::string source = dir / "OrvNet.smx";
    std::string output = dir / "OrvNet.cab";
};

TEST_F(CabWriterFailure, MissingSource) {
    ExpectCleanFailure(dir / "absent.smx", "OrvNet.smx", output, dir / "absent.smx");
}

TEST_F(CabWriterFailure, SourceIsAFolder) {
    fs::create_directory(dir / "folder");
    ExpectCleanFailure(dir / "folder", "OrvNet.smx", output, dir / "folder");
}

TEST_F(CabWriterFailure, SourceTooLargeForOneFolder) {
    // Sparse: 65535 blocks of 32 KiB and one byte more, costing no disk.
    std::string big = dir / "big.smx";
    WriteWholeFile(big, Bytes());
    fs::resize_file(big, 65535ull * 32768 + 1);
    ExpectCleanFailure(big, "OrvNet.smx", output, big);
}

TEST_F(CabWriterFailure, OutputFolderCannotTakeFiles) {
    struct Case {
        const char* label;
        std::string output;
    } cases[] = {
        {"missing folder", dir / "absent/OrvNet.cab"},
        {"parent is a file", dir / "OrvNet.smx/OrvNet.cab"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        ExpectCleanFailure(source, "OrvNet.smx", c.output, c.output);
    }
}

TEST_F(CabWriterFailure, NameThatACabinetCannotRecord) {
    for (const std::string& name : {std::string(), std::string(256, 'n'), std::string("a\0b", 3)}) {
        SCOPED_TRACE("name of " + std::to_string(name.size()) + " bytes");
        ExpectCleanFailure(source, name, output, "name");
    }
}

TEST_F(CabWriterFailure, MalformedSourceDateEpoch) {
    for (const char* value : {"12abc", " 12", "soon", "99999999999999999999999"}) {
        SCOPED_TRACE(value);
        setenv("SOURCE_DATE_EPOCH", value, 1);
        ExpectCleanFailure(source, "OrvNet.smx", output, "SOURCE_DATE_EPOCH");
    }
    unsetenv("SOURCE_DATE_EPOCH");
}

// The source changes under the writer after its second block: the cabinet
// would not match what was measured, so nothing is kept. The source is
// larger than the blocks one thread's writer holds at once, so the change
// lands while there is still input to read.
TEST_F(CabWriterFailure, SourceChangesWhileBeingCompressed) {
    struct Case {
        const char* label;
        uint64_t newSize;
    } cases[] = {{"shrinks", 3 * 32768 + 10}, {"grows", 65 * 32768}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        WriteWholeFile(source, MixedBytes(64 * 32768));
        Progress change = [&](uint64_t done, uint64_t) {
            if (done == 2 * 32768) fs::resize_file(source, c.newSize);
        };
        ExpectCleanFailure(source, "OrvNet.smx", output, source, change, 1);
    }
}

TEST_F(CabWriterFailure, ProgressCallbackThrows) {
    Progress cancel = [](uint64_t done, uint64_t) {
        if (done > 0) throw std::runtime_error("cancelled");
    };
    ExpectCleanFailure(source, "OrvNet.smx", output, output, cancel);
}

}  // namespace
