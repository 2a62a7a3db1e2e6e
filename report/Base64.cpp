#include "report/Base64.hpp"

#include <openssl/evp.h>

#include <algorithm>
#include <cstddef>

namespace ambiscan::report {

std::string base64(std::string_view bytes) {
    // EVP_EncodeBlock takes an int length: long inputs go in pieces of whole 3-byte groups.
    constexpr std::size_t kPiece = std::size_t{3} << 20;
    const std::size_t encoded = (bytes.size() + 2) / 3 * 4;
    std::string out(encoded + 1, '\0');  // EVP_EncodeBlock ends what it writes with a NUL
    auto* target = reinterpret_cast<unsigned char*>(out.data());
    for (std::size_t at = 0; at < bytes.size(); at += kPiece) {
        const std::size_t length = std::min(kPiece, bytes.size() - at);
        const int written =
            EVP_EncodeBlock(target, reinterpret_cast<const unsigned char*>(bytes.data() + at),
                            static_cast<int>(length));
        target += written;
    }
    out.resize(encoded);
    return out;
}

}  // namespace ambiscan::report
