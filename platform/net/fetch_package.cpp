// The online package routine's entry: the local package first, then the
// download server.
#include "platform/net/online_package.h"

bool FetchPackage(const char* base, const char* name, ProgressSink& progress) {
    char local[PathBufferSize];
    if (FindLocalPackage(local, sizeof local)) return CopyPackageToTemp(local);
    int size = FetchPackageSize();
    if (size <= 0 || !OpenSession()) return false;
    bool fetched = DownloadPackage(base, name, size, progress);
    CloseSession();
    return fetched;
}
