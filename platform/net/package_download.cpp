// The package download over the online routine's own session.
#include "platform/net/body_reader.h"
#include "common/path_join.h"
#include "platform/net/internet_open.h"
#include "platform/net/online_package.h"
#include "platform/net/package_files.h"
#include "platform/pc/pump.h"
#include "platform/files/sm_file.h"

namespace {
const uint32_t kChunkSize = 2048;
const int kProgressUnit = 1000;

HINTERNET PackageSession = nullptr;

// Reads the body into file, which must end up with exactly `expected`
// bytes: a body that ends short or runs longer is not the announced package.
bool ReceivePackage(HINTERNET url, SmFile& file, uint32_t expected, ProgressSink& progress) {
    char buffer[kChunkSize];
    PumpMessages();
    auto write = [&](const char* chunk, uint32_t count, uint32_t received) {
        if (received > expected) return false;
        if (!file.WriteAt(static_cast<int32_t>(received - count), chunk, count)) return false;
        progress.SetPosition(static_cast<int>(received / kProgressUnit));
        PumpMessages();  // before the next read
        return true;
    };
    BodyRead read = ReadBody(url, buffer, sizeof buffer, NoLimit, write);
    return read.end == BodyEnd::Ended && read.received == expected;
}
}  // namespace

bool OpenSession() {
    if (PackageSession == nullptr) PackageSession = OpenInternetSession();
    return PackageSession != nullptr;
}

void CloseSession() {
    if (PackageSession == nullptr) return;
    InternetCloseHandle(PackageSession);
    PackageSession = nullptr;
}

bool DownloadPackage(const char* base, const char* name, int expected, ProgressSink& progress) {
    char target[PathBufferSize];
    char address[PathBufferSize];
    if (!TempPackagePath(target, sizeof target)) return false;
    // A file that cannot be removed would keep its tail under the package.
    if (ThePC->Exists(target) && !ThePC->RemoveFile(target)) return false;
    if (PackageSession == nullptr || !JoinPath(address, sizeof address, base, "/", name)) return false;
    HINTERNET url = OpenAddress(PackageSession, address);
    if (url == nullptr) return false;

    progress.SetMaximum(expected / kProgressUnit);
    progress.SetMinimum(0);
    bool complete = false;
    if (expected > 0) {
        SmFile file(target);
        complete = file.IsOpen() && ReceivePackage(url, file, static_cast<uint32_t>(expected), progress);
        complete = file.Close() && complete;
    }
    InternetCloseHandle(url);
    if (!complete) ThePC->RemoveFile(target);
    return complete;
}
