// Runs the online package routine as a program of its own, so that a test
// can place it in a folder with or without a package beside it.
// Usage: sm_package_fetcher BASE NAME DOWNLOAD_HOST
// Exit status 0 when the routine reports the package fetched, 1 when not,
// 2 on a usage error.
#include "platform/net/download_host.h"
#include "platform/net/online_package.h"
#include "platform/pc/pc.h"

namespace {
class NoProgress : public ProgressSink {
public:
    void SetMinimum(int) override {}
    void SetMaximum(int) override {}
    void SetPosition(int) override {}
};
}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) return 2;
    DownloadHost = argv[3];
    PC pc;
    ThePC = &pc;
    NoProgress progress;
    bool fetched = FetchPackage(argv[1], argv[2], progress);
    ThePC = nullptr;
    return fetched ? 0 : 1;
}
