#include "platform/encoding/Base64.hpp"

#include <gtest/gtest.h>
#include <openssl/evp.h>

#include <string>

namespace ambiscan {
namespace {

TEST(Base64, MatchesThePublishedVectorsAndLibcryptoOnEveryLength) {
    // The test vectors of RFC 4648, section 10.
    EXPECT_EQ(base64(""), "");
    EXPECT_EQ(base64("f"), "Zg==");
    EXPECT_EQ(base64("fo"), "Zm8=");
    EXPECT_EQ(base64("foo"), "Zm9v");
    EXPECT_EQ(base64("foobar"), "Zm9vYmFy");
    // A second coder: libcrypto's, on every byte value and lengths around each padding case.
    std::string bytes;
    for (int i = 0; i < 256 * 3 + 2; ++i) {
        bytes += static_cast<char>((i * 151 + 7) & 0xff);
    }
    for (std::size_t length : {bytes.size() - 2, bytes.size() - 1, bytes.size()}) {
        std::string expected(4 * ((length + 2) / 3) + 1, '\0');
        EVP_EncodeBlock(reinterpret_cast<unsigned char*>(expected.data()),
                        reinterpret_cast<const unsigned char*>(bytes.data()),
                        static_cast<int>(length));
        expected.pop_back();
        EXPECT_EQ(base64(std::string_view(bytes).substr(0, length)), expected) << length;
    }
}

}  // namespace
}  // namespace ambiscan
