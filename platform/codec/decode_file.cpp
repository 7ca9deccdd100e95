#include "platform/codec/decode_file.h"

#include "platform/pc/pump.h"
#include "platform/codec/sm_b64.h"
#include "platform/files/sm_raw_file.h"

namespace {
const uint32_t kLineBufferSize = 150;
const uint32_t kProgressUnit = 1000;

// The line at position: its length without the line end, and how many
// bytes it takes up with it. A piece without LF is taken whole.
struct Line {
    uint32_t length;
    uint32_t consumed;
};

Line CutLine(const char* text, uint32_t got) {
    Line line{got, got};
    for (uint32_t i = 0; i < got; ++i) {
        if (text[i] == '\n') {
            line = Line{i, i + 1};
            break;
        }
    }
    if (line.length > 0 && text[line.length - 1] == '\r') --line.length;
    return line;
}
}  // namespace

bool DecodeFile(const char* outputPath, const char* inputPath, ProgressSink& progress) {
    SmB64 codec(outputPath);
    SmRawFile input(inputPath);
    uint32_t size = input.Size();
    progress.SetMinimum(0);
    progress.SetMaximum(static_cast<int>(size / kProgressUnit));

    bool ok = codec.HasOutput() && input.IsOpen();
    uint32_t position = 0;
    while (position < size) {
        char text[kLineBufferSize];
        uint32_t want = size - position < sizeof text ? size - position : sizeof text;
        uint32_t got = input.ReadAt(static_cast<int32_t>(position), text, want);
        if (got == 0) {
            // The file shrank or cannot be read: end the stream, never spin.
            codec.DecodeText("", 0, true);
            ok = false;
            break;
        }
        Line line = CutLine(text, got);
        position += line.consumed;
        if (!codec.DecodeText(text, line.length, position >= size)) ok = false;
        progress.SetPosition(static_cast<int>(position / kProgressUnit));
        PumpMessages();
    }
    input.Close();
    return ok;
}
