#include "platform/encoding/Sha256.hpp"

#include <gtest/gtest.h>

#include <string>

namespace ambiscan {
namespace {

std::string digestOf(const std::string& bytes, std::size_t piece) {
    Sha256 digest;
    for (std::size_t at = 0; at < bytes.size(); at += piece) {
        digest.update(bytes.data() + at, std::min(piece, bytes.size() - at));
    }
    return digest.hex();
}

// The test vectors of FIPS 180-2, appendix B.1 and B.3, and the digest of no bytes, given
// whole and in pieces of every size that splits a 64-byte block differently.
TEST(Sha256, PublishedVectorsWholeOrInPieces) {
    EXPECT_EQ(digestOf("", 1), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    for (std::size_t piece : {1, 2, 3, 64, 1000}) {
        EXPECT_EQ(digestOf("abc", piece),
                  "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    }
    const std::string million(1000000, 'a');
    for (std::size_t piece : {7, 64, 65, 1 << 16, 1000000}) {
        EXPECT_EQ(digestOf(million, piece),
                  "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0")
            << piece;
    }
}

}  // namespace
}  // namespace ambiscan

namespace ambiscan {
namespace {

// A digest asked for along the way ("abc" of FIPS 180-2 B.1, then nothing more) leaves the
// running one as it was.
TEST(Sha256, DigestSoFarLetsTheBytesGoOn) {
    Sha256 digest;
    digest.update("ab", 2);
    EXPECT_EQ(digest.hexSoFar(),
              "fb8e20fc2e4c3f248c60c39bd652f3c1347298bb977b8b4d5903b85055620603");  // sha256sum
    digest.update("c", 1);
    EXPECT_EQ(digest.hexSoFar(),
              "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(digest.hex(), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
}

}  // namespace
}  // namespace ambiscan
