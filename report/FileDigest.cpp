#include "report/FileDigest.hpp"

#include <openssl/evp.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/runtime/RuntimeError.hpp"

namespace ambiscan::report {

std::string sha256Hex(const std::filesystem::path& path) {
    const auto failed = [&](const std::string& reason) {
        return RuntimeError("Cannot read " + path.string() + ": " + reason);
    };
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                               &std::fclose);
    if (!file) {
        throw failed(std::strerror(errno));
    }
    const std::unique_ptr<EVP_MD_CTX, void (*)(EVP_MD_CTX*)> context(EVP_MD_CTX_new(),
                                                                     &EVP_MD_CTX_free);
    if (!context || EVP_DigestInit_ex(context.get(), EVP_sha256(), nullptr) != 1) {
        throw failed("no SHA-256 digest available");
    }
    std::vector<unsigned char> buffer(1 << 16);
    std::size_t got = 0;
    while ((got = std::fread(buffer.data(), 1, buffer.size(), file.get())) > 0) {
        EVP_DigestUpdate(context.get(), buffer.data(), got);
    }
    if (std::ferror(file.get())) {
        throw failed(std::strerror(errno));
    }
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    EVP_DigestFinal_ex(context.get(), digest, &length);
    static const char* const hex = "0123456789abcdef";
    std::string text;
    for (unsigned int k = 0; k < length; ++k) {
        text += hex[digest[k] >> 4];
        text += hex[digest[k] & 0xF];
    }
    return text;
}

}  // namespace ambiscan::report
