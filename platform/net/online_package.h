#pragma once
// Fetching the product package "OrvNet.txt" into the temporary folder: from
// beside the running program when it is there, otherwise from the maker's
// download server (download_host.h), which first tells the package's size.
// The package ends up as <temporary folder>\OrvNet.txt, where the caller
// takes it over. Runs on the GUI thread; the download keeps the screen
// alive with one PumpMessages per chunk.
#include <cstddef>

#include "platform/pc/pc.h"
#include "common/progress_sink.h"

// The package from beside the program, else from base + "/" + name with the
// size the server announces. True when the whole package is in the
// temporary folder; a local package is copied without any connection.
bool FetchPackage(const char* base, const char* name, ProgressSink& progress);

// Puts <folder of the running program>\OrvNet.txt into buffer and tells
// whether it exists. False, with an empty buffer, when the path does not
// fit.
bool FindLocalPackage(char* buffer, size_t capacity = PathBufferSize);

// Copies source over <temporary folder>\OrvNet.txt. True when the copy is
// complete (also when source is that very file); otherwise false and no
// file is left there.
bool CopyPackageToTemp(const char* source);

// Asks the download server for the package size: the first line of the
// answer to "/download?Name=INSTAL-ORVNET/OrvNet.txt", as a decimal number.
// 0 when there is no answer or the line holds no number that fits an int.
// The answer passes through <temporary folder>\OrvNet.txt, which is gone
// afterwards.
int FetchPackageSize();

// The routine's own process-wide internet session.
bool OpenSession();
void CloseSession();

// Downloads base + "/" + name into <temporary folder>\OrvNet.txt (a file
// already there is removed first) over the routine's session, in chunks of
// 2048 bytes with PumpMessages before each read. The progress range is
// 0 .. expected / 1000 and the position the received bytes / 1000. True
// only when exactly `expected` bytes arrived and the stream ended there; on
// false no OrvNet.txt is left.
bool DownloadPackage(const char* base, const char* name, int expected, ProgressSink& progress);
