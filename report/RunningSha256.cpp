#include "report/RunningSha256.hpp"

#include <openssl/evp.h>

#include "platform/base/RuntimeError.hpp"

namespace ambiscan::report {

void RunningSha256::Free::operator()(evp_md_ctx_st* context) const {
    EVP_MD_CTX_free(context);
}

RunningSha256::RunningSha256() : context_(EVP_MD_CTX_new()) {
    if (!context_ || EVP_DigestInit_ex(context_.get(), EVP_sha256(), nullptr) != 1) {
        throw RuntimeError("no SHA-256 digest available");
    }
}

void RunningSha256::add(std::string_view bytes) {
    EVP_DigestUpdate(context_.get(), bytes.data(), bytes.size());
}

std::string RunningSha256::hex() const {
    // Finished on a copy, so that the running state goes on.
    const std::unique_ptr<evp_md_ctx_st, Free> copy(EVP_MD_CTX_new());
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (!copy || EVP_MD_CTX_copy_ex(copy.get(), context_.get()) != 1 ||
        EVP_DigestFinal_ex(copy.get(), digest, &length) != 1) {
        throw RuntimeError("no SHA-256 digest available");
    }
    static const char* const kHex = "0123456789abcdef";
    std::string text;
    for (unsigned int k = 0; k < length; ++k) {
        text += kHex[digest[k] >> 4];
        text += kHex[digest[k] & 0xF];
    }
    return text;
}

}  // namespace ambiscan::report
