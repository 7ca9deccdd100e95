// Both cabinet checks over arbitrary bytes: the tools' full checker and the
// installer's header probe that decides whether the decompressor's output
// has the recorded length. Neither may read outside the input; what the
// probe reads must agree with what the checker found.
#include <cstring>
#include <vector>

#include "input_file.h"
#include "install/cabinet_info.h"
#include "tools/cab/cab_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CabinetSummary summary;
    std::string error;
    CabinetProblem problem = CheckCabinet(WriteInputFile(data, size), summary, error);
    if ((problem == CabinetProblem::None) != error.empty()) Finding("a problem without a message, or the reverse");
    if (problem == CabinetProblem::None && summary.cabinetSize > size) {
        Finding("a cabinet longer than its file passed the check");
    }

    // An exact-size copy, so that a read past the end shows under the
    // address sanitizer.
    std::vector<uint8_t> copy(data, data + size);
    CabinetInfo info;
    bool probed = ReadCabinetInfo(copy.data(), static_cast<uint32_t>(copy.size()), info);
    if (problem == CabinetProblem::None) {
        if (!probed) Finding("the installer's probe refused a cabinet the checker takes");
        if (info.fileCount != 1 || info.firstFileLength != summary.fileSize) {
            Finding("the installer's probe read another file length than the checker");
        }
    }
    return 0;
}
