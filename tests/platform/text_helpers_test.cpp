// The string helpers and the table that keeps their results: results, the
// "nothing happens" cases, and bounded copies.
#include "platform/text/text_helpers.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "platform/text/sm_text_table.h"

namespace {

TEST(TextHelpers, FindText) {
    struct Case {
        const char* text;
        const char* searched;
        int index;
    };
    const Case cases[] = {
        {"OrvNet.exe", "Orv", 0}, {"OrvNet.exe", ".exe", 6}, {"OrvNet.exe", "net", -1},
        {"", "a", -1},            {"abc", "", -1},           {"ab", "abc", -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FindText(c.text, c.searched), c.index) << c.text << " / " << c.searched;
    }
}

// Every writing helper, run on a destination pre-filled with "#" so that
// "untouched" shows, and with a roomy and a 4-byte capacity.
struct WriteCase {
    const char* name;
    std::function<void(char*, size_t)> run;
    const char* result;  // nullptr: the destination stays untouched
};

TEST(TextHelpers, WritingHelpers) {
    const WriteCase cases[] = {
        {"CopyFoundText found", [](char* d, size_t c) { CopyFoundText("OrvNet", "Net", d, c); }, "Net"},
        {"CopyFoundText absent", [](char* d, size_t c) { CopyFoundText("OrvNet", "x", d, c); }, nullptr},
        {"LeftPart", [](char* d, size_t c) { LeftPart("OrvNet.exe", 6, d, c); }, "OrvNet"},
        {"LeftPart past the end", [](char* d, size_t c) { LeftPart("Orv", 9, d, c); }, "Orv"},
        {"LeftPart of empty", [](char* d, size_t c) { LeftPart("", 2, d, c); }, nullptr},
        {"RightPart", [](char* d, size_t c) { RightPart("OrvNet.exe", 4, d, c); }, ".exe"},
        {"RightPart whole length", [](char* d, size_t c) { RightPart("abc", 3, d, c); }, nullptr},
        {"RightPart of empty", [](char* d, size_t c) { RightPart("", 0, d, c); }, nullptr},
        {"FileNameOf", [](char* d, size_t c) { FileNameOf("C:\\A\\B.txt", d, c); }, "B.txt"},
        {"FileNameOf folder path", [](char* d, size_t c) { FileNameOf("C:\\A\\", d, c); }, ""},
        {"FileNameOf bare name", [](char* d, size_t c) { FileNameOf("B.txt", d, c); }, "B.txt"},
        {"FolderOf", [](char* d, size_t c) { FolderOf("C:\\A\\B.txt", d, c); }, "C:\\A"},
        {"FolderOf bare name", [](char* d, size_t c) { FolderOf("B.txt", d, c); }, ""},
        {"ToLower", [](char* d, size_t c) { ToLower("OrvNET 2.5", d, c); }, "orvnet 2.5"},
        {"ToUpper", [](char* d, size_t c) { ToUpper("OrvNet 2.5", d, c); }, "ORVNET 2.5"},
        {"TrimLower", [](char* d, size_t c) { TrimLower(" \t Orv Net\t ", d, c); }, "orv net"},
        {"TrimLower blanks only", [](char* d, size_t c) { TrimLower(" \t ", d, c); }, ""},
        {"ReverseLower", [](char* d, size_t c) { ReverseLower("AbC", d, c); }, "cba"},
        {"JoinTexts skips nulls",
         [](char* d, size_t c) { JoinTexts(d, c, "C:", nullptr, "\\", "Orv", nullptr, nullptr, nullptr, nullptr,
                                           nullptr, "Net"); },
         "C:\\OrvNet"},
    };
    for (const WriteCase& c : cases) {
        SCOPED_TRACE(c.name);
        char roomy[64];
        std::memset(roomy, '#', sizeof roomy);
        roomy[sizeof roomy - 1] = '\0';
        c.run(roomy, sizeof roomy);
        std::string expected = c.result != nullptr ? c.result : std::string(sizeof roomy - 1, '#');
        EXPECT_EQ(std::string(roomy), expected);

        char small[8];
        std::memset(small, '#', sizeof small);
        c.run(small, 4);
        std::string cut = c.result != nullptr ? expected.substr(0, 3) : "###";
        EXPECT_EQ(std::string(small, cut.size()), cut);
        if (c.result != nullptr) {
            EXPECT_EQ(small[cut.size()], '\0');
        }
        for (size_t i = 4; i < sizeof small; ++i) EXPECT_EQ(small[i], '#') << "byte " << i;
    }
}

TEST(TextHelpers, InPlaceForms) {
    char text[] = "  OrvNet\t";
    TrimLower(text);
    EXPECT_STREQ(text, "orvnet");
    ReverseLower(text);
    EXPECT_STREQ(text, "tenvro");
    ToUpper(text);
    EXPECT_STREQ(text, "TENVRO");
    ToLower(text);
    EXPECT_STREQ(text, "tenvro");
}

TEST(SmTextTable, EachStoredResultTakesTheLastSlotAndLeavesAnEmptyOne) {
    SmTextTable table(1, 100);
    ASSERT_EQ(table.Count(), 1u);
    char copy[16] = {};
    const char* first = ToUpper(table, "orv", copy, sizeof copy);
    EXPECT_STREQ(first, "ORV");
    EXPECT_STREQ(copy, "ORV");
    EXPECT_EQ(first, table.Slot(0));
    const char* second = RightPart(table, "OrvNet.exe", 4);
    EXPECT_STREQ(second, ".exe");
    EXPECT_EQ(second, table.Slot(1));
    ASSERT_EQ(table.Count(), 3u);
    EXPECT_STREQ(table.Slot(2), "");
    EXPECT_EQ(table.Slot(3), nullptr);
    // Earlier results stay where they were while the table grows.
    for (int i = 0; i < 50; ++i) LeftPart(table, "abcdef", 3);
    EXPECT_STREQ(first, "ORV");
    // Nothing to store: an empty slot, the destination untouched.
    char untouched[8] = "keep";
    EXPECT_STREQ(CopyFoundText(table, "OrvNet", "zz", untouched, sizeof untouched), "");
    EXPECT_STREQ(untouched, "keep");
}

TEST(SmTextTable, ResultsAreCutToTheSlotSize) {
    SmTextTable table(1, 4);
    EXPECT_STREQ(TrimLower(table, "  ABCDEFG  "), "abc");
    EXPECT_STREQ(ReverseLower(table, "ABCDEFG"), "gfe");
}

}  // namespace
