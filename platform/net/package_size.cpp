// The package size query: the first line of a small text file on the
// download server.
#include <cerrno>
#include <climits>
#include <cstdlib>

#include "common/path_join.h"
#include "platform/net/download_host.h"
#include "platform/net/online_package.h"
#include "platform/net/package_files.h"
#include "platform/net/sm_download.h"
#include "platform/files/sm_raw_file.h"

namespace {
const char kSizeQuery[] = "/download?Name=INSTAL-ORVNET/OrvNet.txt";
const uint32_t kLineBufferSize = 1024;

// The decimal number at the start of the line (blanks before it skipped),
// 0 when there is none or it does not fit an int.
int SizeOfLine(const char* line) {
    errno = 0;
    char* end = nullptr;
    long value = std::strtol(line, &end, 10);
    if (end == line || errno == ERANGE || value > INT_MAX || value < INT_MIN) return 0;
    return static_cast<int>(value);
}
}  // namespace

int FetchPackageSize() {
    char address[PathBufferSize];
    char path[PathBufferSize];
    if (!JoinPath(address, sizeof address, "http://", DownloadHost, kSizeQuery) ||
        !TempPackagePath(path, sizeof path)) {
        return 0;
    }
    // An older file there must not be read as the answer.
    if (ThePC->Exists(path) && !ThePC->RemoveFile(path)) return 0;
    {
        SmDownload download;
        if (download.OpenUrl(address)) download.SaveTo(path);
        download.CloseUrl();
    }
    char line[kLineBufferSize] = {};
    if (ThePC->Exists(path)) {
        SmRawFile file(path);
        file.ReadLine(line, sizeof line);
        file.Close();
        ThePC->RemoveFile(path);
    }
    return SizeOfLine(line);
}
