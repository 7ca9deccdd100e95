// SmB64 on files and DecodeFile: the text file the encoder writes, and
// decoding whole files back with progress and the message pump.
#include "platform/codec/decode_file.h"
#include "platform/codec/sm_b64.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace {

using Bytes = std::vector<unsigned char>;

class RecordingProgress : public ProgressSink {
public:
    void SetMinimum(int value) override { minimum = value; }
    void SetMaximum(int value) override { maximum = value; }
    void SetPosition(int value) override { positions.push_back(value); }
    int minimum = -1;
    int maximum = -1;
    std::vector<int> positions;
};

std::string FileText(const std::string& path) {
    Bytes bytes = ReadWholeFile(path);
    return std::string(bytes.begin(), bytes.end());
}

TEST(SmB64, EncodesIntoLinesOfAFile) {
    TempDir dir;
    std::string path = dir / "out.txt";
    WriteWholeFile(path, std::string(500, '#'));  // an older, longer file is replaced
    {
        SmB64 codec(path.c_str());
        ASSERT_TRUE(codec.HasOutput());
        std::string plain(58, 'x');
        EXPECT_TRUE(codec.EncodeBytes(plain.data(), 57, false));
        EXPECT_TRUE(codec.EncodeBytes(plain.data() + 57, 1, true));
    }
    std::string text = FileText(path);
    ASSERT_EQ(text.size(), 76u + 2u + 2u + 2u);
    EXPECT_EQ(text.substr(76, 2), "\r\n");
    EXPECT_EQ(text.substr(78), "bU\r\n");  // 0x78 alone: values 1 and 56
}

TEST(SmB64, WithoutAPathItWritesNowhere) {
    SmB64 codec(nullptr);
    EXPECT_FALSE(codec.HasOutput());
    EXPECT_TRUE(codec.EncodeBytes("abc", 3, true));
    EXPECT_TRUE(codec.DecodeText("ywj9", 4, true));
}

// Random data of many lengths: encoded into a file by SmB64, decoded back by
// DecodeFile, with progress from 0 to the input's size in thousands.
TEST(DecodeFile, RoundTripThroughFiles) {
    TempDir dir;
    std::mt19937 random(11);
    const uint32_t lengths[] = {0, 1, 2, 3, 56, 57, 58, 114, 1000, 4096, 60001};
    for (uint32_t length : lengths) {
        SCOPED_TRACE(length);
        Bytes plain(length);
        for (auto& b : plain) b = static_cast<unsigned char>(random());
        std::string text = dir / "data.txt";
        std::string decoded = dir / "data.bin";
        {
            SmB64 encoder(text.c_str());
            encoder.EncodeBytes(plain.data(), length, true);
        }
        WriteWholeFile(decoded, Bytes(length + 100, 0xee));  // replaced, not overwritten

        RecordingProgress progress;
        EXPECT_TRUE(DecodeFile(decoded.c_str(), text.c_str(), progress));
        EXPECT_EQ(ReadWholeFile(decoded), plain);

        int textSize = static_cast<int>(ReadWholeFile(text).size());
        EXPECT_EQ(progress.minimum, 0);
        EXPECT_EQ(progress.maximum, textSize / 1000);
        if (length > 0) {
            ASSERT_FALSE(progress.positions.empty());
            EXPECT_EQ(progress.positions.back(), progress.maximum);
            for (size_t i = 1; i < progress.positions.size(); ++i) {
                EXPECT_LE(progress.positions[i - 1], progress.positions[i]);
            }
        }
    }
}

// Text that the encoder would not write but a person or another tool may:
// a last line without CR LF, bare LF line ends, lines far longer than the
// line buffer, stray characters. Each must end and decode what is there.
TEST(DecodeFile, TextInOtherShapes) {
    struct Case {
        const char* name;
        std::string text;
        std::string plain;
        bool clean;
    };
    std::string longLine;
    std::string longPlain;
    for (int i = 0; i < 100; ++i) {
        longLine += "ywj9";
        longPlain += "abc";
    }
    const Case cases[] = {
        {"last line without CR LF", "ywj9\r\nywj9gf8", "abcabcab", true},
        {"only a line without CR LF", "b7", "a", true},
        {"LF line ends", "ywj9\nb7\n", "abca", true},
        {"one line of 400 characters", longLine + "b7\r\n", longPlain + "a", true},
        {"same without line end", longLine + "b7", longPlain + "a", true},
        {"stray characters", "yw j9\r\n\r\n=b7\r\n", "abca", false},
        {"empty lines at the end", "ywj9b7\r\n\r\n\r\n", "abca", true},
    };
    TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string text = dir / "in.txt";
        std::string decoded = dir / "out.bin";
        WriteWholeFile(text, c.text);
        RecordingProgress progress;
        EXPECT_EQ(DecodeFile(decoded.c_str(), text.c_str(), progress), c.clean);
        EXPECT_EQ(FileText(decoded), c.plain);
    }
}

TEST(DecodeFile, MissingInputGivesAnEmptyOutput) {
    TempDir dir;
    std::string input = dir / "missing.txt";
    std::string output = dir / "out.bin";
    RecordingProgress progress;
    EXPECT_TRUE(DecodeFile(output.c_str(), input.c_str(), progress));
    EXPECT_TRUE(ReadWholeFile(output).empty());
    EXPECT_EQ(progress.maximum, 0);

    std::string unwritable = dir / "no-folder/out.bin";
    WriteWholeFile(input, std::string("ywj9\r\n"));
    EXPECT_FALSE(DecodeFile(unwritable.c_str(), input.c_str(), progress));
}

}  // namespace
