// The cabinet check over arbitrary bytes, under both rules: the tools'
// checker of a cabinet file and the installer's check of its payload in
// memory. Neither may read outside the input. The installer's rules are the
// stricter on damage (a block without a checksum fails them; stored blocks
// they take are a kind the tools do not make): what the installer takes,
// the tools' checker never finds damaged, and both read the same file
// length.
#include <cstring>
#include <vector>

#include "input_file.h"
#include "install/payload_check.h"
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
    PayloadCabinet cabinet;
    if (CheckPayloadCabinet(copy.data(), static_cast<uint32_t>(copy.size()), cabinet) == PayloadFault::None) {
        if (problem == CabinetProblem::Damaged) {
            Finding("the installer took a cabinet the tools' checker finds damaged");
        }
        if (problem == CabinetProblem::None && cabinet.fileLength != summary.fileSize) {
            Finding("the two checks read different file lengths");
        }
    }
    return 0;
}
