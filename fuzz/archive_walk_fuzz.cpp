// The installer's archive walk over arbitrary bytes, and the name checks and
// bounded path building it applies to every record. The walk must end,
// move strictly forward, tell a complete content from one cut short, and
// never read or write outside its buffers.
#include <cstring>
#include <vector>

#include "common/path_join.h"
#include "input_file.h"
#include "install/smx_reader.h"

namespace {
// A small path buffer with a guard after it, so that a copy past its end
// shows even without a sanitizer.
constexpr size_t kPathCapacity = 64;
constexpr char kGuard = '\x5A';

void CheckNameRules(const char* name) {
    if (!IsContainedName(name)) return;
    if (name[0] == '\\' || std::strchr(name, ':') || std::strchr(name, '/') || std::strstr(name, "\\\\")) {
        Finding("a contained name starts with a backslash or holds ':', '/' or an empty component");
    }
    std::string components = std::string("\\") + name + "\\";
    if (components.find("\\..\\") != std::string::npos || components.find("\\.\\") != std::string::npos) {
        Finding("a contained name holds a '.' or '..' component");
    }
}

void CheckJoin(const char* name) {
    char buffer[kPathCapacity + 8];
    std::memset(buffer, kGuard, sizeof buffer);
    const char* folder = "C:\\OrvNet";
    bool joined = JoinPath(buffer, kPathCapacity, folder, "\\", name);
    for (size_t i = kPathCapacity; i < sizeof buffer; ++i) {
        if (buffer[i] != kGuard) Finding("JoinPath wrote past its capacity");
    }
    size_t expected = std::strlen(folder) + 1 + std::strlen(name);
    if (joined != (expected < kPathCapacity)) Finding("JoinPath refused a path that fits, or took one that does not");
    if (!joined && buffer[0] != '\0') Finding("a refused path left text in the buffer");
    if (joined && std::strlen(buffer) != expected) Finding("a joined path has the wrong length");
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SmFile archive(WriteInputFile(data, size).c_str());
    if (!archive.IsOpen()) Finding("cannot open the scratch archive");
    SmxReader reader(archive);
    if (reader.Length() != size) Finding("the archive's length is not the file's");
    if (reader.RootComplete() != (size >= SmxHeaderSize)) Finding("root completeness is wrong");

    std::vector<uint8_t> content;
    SmxRecord record;
    uint64_t previous = 0;
    size_t records = 0;
    while (reader.Next(record)) {
        if (++records > size / SmxHeaderSize) Finding("the walk read more headers than the file holds");
        if (record.headerOffset < SmxHeaderSize || record.headerOffset <= previous) {
            Finding("the walk did not move forward");
        }
        previous = record.headerOffset;
        const SmxHeader& h = record.header;
        if (std::strlen(h.name) > SmxNameField) Finding("a decoded name has no terminator");
        if (record.headerComplete != (uint64_t(record.headerOffset) + SmxHeaderSize <= size)) {
            Finding("header completeness is wrong");
        }
        CheckNameRules(h.name);
        CheckJoin(h.name);
        if (record.type != SmxRecordType::File) continue;
        bool inside = uint64_t(record.contentOffset) + h.size <= size;
        if (record.contentComplete != inside) Finding("content completeness is wrong");
        // The installer allocates `size` bytes; keep the fuzzer's memory to
        // what the input could hold.
        if (h.size > size) continue;
        content.assign(h.size + 1, 0xEE);
        bool read = reader.ReadContent(record, content.data());
        // An empty content is complete by itself; the install run checks
        // headerComplete for a header that the end of the file cut short.
        if (read != (inside || h.size == 0)) Finding("ReadContent's result disagrees with the record");
        if (content[h.size] != 0xEE) Finding("ReadContent wrote past the content");
        if (read && h.size > 0 && std::memcmp(content.data(), data + record.contentOffset, h.size) != 0) {
            Finding("ReadContent returned other bytes than the archive's");
        }
    }
    return 0;
}
