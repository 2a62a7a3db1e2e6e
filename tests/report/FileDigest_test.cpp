#include "report/FileDigest.hpp"

#include <gtest/gtest.h>

#include "platform/runtime/RuntimeError.hpp"
#include "support/RunProgram.hpp"

namespace ambiscan::report {
namespace {

// The test vectors of FIPS 180-2, appendix B.1, and the digest of no bytes.
TEST(FileDigest, PublishedSha256Vectors) {
    testing::TempDir dir;
    testing::writeFile(dir / "abc", "abc");
    EXPECT_EQ(sha256Hex(dir / "abc"),
              "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    testing::writeFile(dir / "empty", "");
    EXPECT_EQ(sha256Hex(dir / "empty"),
              "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    // A million 'a' spans many reads of the file.
    testing::writeFile(dir / "million", std::string(1000000, 'a'));
    EXPECT_EQ(sha256Hex(dir / "million"),
              "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

TEST(FileDigest, MissingFileIsAnErrorNamingIt) {
    testing::TempDir dir;
    try {
        sha256Hex(dir / "gone.txt");
        FAIL() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_NE(std::string(e.what()).find("gone.txt"), std::string::npos) << e.what();
    }
}

}  // namespace
}  // namespace ambiscan::report
