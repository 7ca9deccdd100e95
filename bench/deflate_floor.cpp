// The floor for packing: plain zlib deflate of a whole file at the level the
// cabinet writer uses, one stream, read and written in large chunks. It
// prints the compressed size; the benchmark times it beside smx pack and
// smx cab on the same archive.
//
// Usage: deflate_floor FILE OUTPUT
#include <zlib.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace {
constexpr int kLevel = 6;  // the cabinet writer's level
constexpr int kRawDeflateWindowBits = -15;
constexpr int kMemoryLevel = 8;
constexpr size_t kChunk = 1 << 20;

using FilePtr = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

int Fail(const char* file, const char* problem) {
    std::fprintf(stderr, "deflate_floor: %s: %s\n", file, problem);
    return 1;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 || std::strcmp(argv[1], "--help") == 0) {
        std::fprintf(argc == 2 ? stdout : stderr,
                     "usage: deflate_floor FILE OUTPUT\n"
                     "Compresses FILE with plain zlib deflate (level %d) into OUTPUT; prints the size.\n",
                     kLevel);
        return argc == 2 ? 0 : 2;
    }
    FilePtr in(std::fopen(argv[1], "rb"), std::fclose);
    if (!in) return Fail(argv[1], std::strerror(errno));
    FilePtr out(std::fopen(argv[2], "wb"), std::fclose);
    if (!out) return Fail(argv[2], std::strerror(errno));

    z_stream stream{};
    if (deflateInit2(&stream, kLevel, Z_DEFLATED, kRawDeflateWindowBits, kMemoryLevel, Z_DEFAULT_STRATEGY) != Z_OK) {
        return Fail(argv[1], "cannot start zlib");
    }
    std::vector<unsigned char> input(kChunk), output(kChunk);
    unsigned long long compressed = 0;
    int flush = Z_NO_FLUSH;
    while (flush != Z_FINISH) {
        size_t got = std::fread(input.data(), 1, input.size(), in.get());
        if (std::ferror(in.get())) return Fail(argv[1], std::strerror(errno));
        flush = got < input.size() ? Z_FINISH : Z_NO_FLUSH;
        stream.next_in = input.data();
        stream.avail_in = static_cast<uInt>(got);
        do {
            stream.next_out = output.data();
            stream.avail_out = static_cast<uInt>(output.size());
            deflate(&stream, flush);
            size_t have = output.size() - stream.avail_out;
            if (std::fwrite(output.data(), 1, have, out.get()) != have) return Fail(argv[2], std::strerror(errno));
            compressed += have;
        } while (stream.avail_out == 0);
    }
    deflateEnd(&stream);
    if (std::fclose(out.release()) != 0) return Fail(argv[2], std::strerror(errno));
    std::printf("%llu\n", compressed);
    return 0;
}
