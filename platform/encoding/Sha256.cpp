#include "platform/encoding/Sha256.hpp"

#include <openssl/evp.h>

#include "platform/base/RuntimeError.hpp"

namespace ambiscan {

struct Sha256::Context {
    EVP_MD_CTX* digest = EVP_MD_CTX_new();
    ~Context() { EVP_MD_CTX_free(digest); }
};

Sha256::Sha256() : context_(std::make_unique<Context>()) {
    if (context_->digest == nullptr ||
        EVP_DigestInit_ex(context_->digest, EVP_sha256(), nullptr) != 1) {
        throw RuntimeError("no SHA-256 digest available");
    }
}

Sha256::~Sha256() = default;
Sha256::Sha256(Sha256&&) noexcept = default;
Sha256& Sha256::operator=(Sha256&&) noexcept = default;

void Sha256::update(const void* bytes, std::size_t size) {
    if (size > 0 && EVP_DigestUpdate(context_->digest, bytes, size) != 1) {
        throw RuntimeError("the SHA-256 digest failed");
    }
}

namespace {

std::string finished(EVP_MD_CTX* context) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (EVP_DigestFinal_ex(context, digest, &length) != 1) {
        throw RuntimeError("the SHA-256 digest failed");
    }
    static const char* const kHex = "0123456789abcdef";
    std::string text;
    for (unsigned int k = 0; k < length; ++k) {
        text += kHex[digest[k] >> 4];
        text += kHex[digest[k] & 0xF];
    }
    return text;
}

}  // namespace

std::string Sha256::hex() {
    return finished(context_->digest);
}

std::string Sha256::hexSoFar() const {
    // Finished on a copy, so that the running digest goes on.
    Context copy;
    if (copy.digest == nullptr || EVP_MD_CTX_copy_ex(copy.digest, context_->digest) != 1) {
        throw RuntimeError("the SHA-256 digest failed");
    }
    return finished(copy.digest);
}

}  // namespace ambiscan
