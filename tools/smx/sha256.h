#pragma once
// SHA-256 digests for the manifest and for comparing releases, computed by
// OpenSSL's libcrypto and given as lowercase hex, as sha256sum prints them.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

class Sha256 {
public:
    Sha256();
    ~Sha256();
    Sha256(const Sha256&) = delete;
    Sha256& operator=(const Sha256&) = delete;

    void Update(const void* bytes, size_t length);
    // The digest of everything given so far; the object is done then.
    std::string HexDigest();

private:
    struct Context;
    std::unique_ptr<Context> context_;
};

std::string Sha256Hex(const void* bytes, size_t length);
