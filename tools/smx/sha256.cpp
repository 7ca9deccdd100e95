#include "sha256.h"

#include <openssl/evp.h>

#include <stdexcept>

struct Sha256::Context {
    EVP_MD_CTX* md = nullptr;
};

Sha256::Sha256() : context_(std::make_unique<Context>()) {
    context_->md = EVP_MD_CTX_new();
    if (context_->md == nullptr || EVP_DigestInit_ex(context_->md, EVP_sha256(), nullptr) != 1) {
        EVP_MD_CTX_free(context_->md);
        throw std::runtime_error("cannot start a SHA-256 digest");
    }
}

Sha256::~Sha256() { EVP_MD_CTX_free(context_->md); }

void Sha256::Update(const void* bytes, size_t length) {
    if (EVP_DigestUpdate(context_->md, bytes, length) != 1) throw std::runtime_error("SHA-256 digest failed");
}

std::string Sha256::HexDigest() {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (EVP_DigestFinal_ex(context_->md, digest, &length) != 1) throw std::runtime_error("SHA-256 digest failed");
    static const char kHex[] = "0123456789abcdef";
    std::string hex;
    for (unsigned int i = 0; i < length; ++i) {
        hex += kHex[digest[i] >> 4];
        hex += kHex[digest[i] & 15];
    }
    return hex;
}

std::string Sha256Hex(const void* bytes, size_t length) {
    Sha256 digest;
    digest.Update(bytes, length);
    return digest.HexDigest();
}
