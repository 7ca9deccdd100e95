#pragma once
// Decodes a whole SmB64 text file into a binary file, line by line, keeping
// the screen alive and reporting progress in thousands of input bytes.
#include "common/progress_sink.h"

// Reads the input in lines (CR LF or LF; a last line without one, and lines
// longer than the line buffer, are read as they are), decodes each and
// calls PumpMessages once per line. False when the output cannot be written
// or the input held characters outside the alphabet (they are skipped; the
// rest is still decoded). A missing input is created empty and decodes to
// an empty output.
bool DecodeFile(const char* outputPath, const char* inputPath, ProgressSink& progress);
