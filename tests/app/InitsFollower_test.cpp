#include "app/InitsFollower.hpp"

#include <gtest/gtest.h>

#include <fstream>

#include "platform/base/RuntimeError.hpp"
#include "support/RunProgram.hpp"

namespace ambiscan::app {
namespace {

using testing::TempDir;

void append(const std::filesystem::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary | std::ios::app) << text;
}

std::string errorOf(InitsFollower& follower, std::vector<double>& records) {
    try {
        follower.poll(records);
    } catch (const RuntimeError& error) {
        return error.what();
    }
    return "";
}

// Records of three numbers (a file of no receiver's layout, only the length matters here).
TEST(InitsFollower, CountsANumberAfterWhiteSpaceAndARecordWhenWhole) {
    TempDir dir;
    const auto file = dir / "inits.txt";
    testing::writeFile(file, "1 2 3\n4 5");
    InitsFollower follower(file, 3);
    ASSERT_TRUE(follower.isOpen());
    std::vector<double> records;
    EXPECT_EQ(follower.poll(records), 1u);  // "5" may go on: 4 5 is not a record yet
    EXPECT_EQ(records, (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(follower.poll(records), 0u);  // nothing new
    append(file, "5 6");                    // "55", then "6" unfinished
    EXPECT_EQ(follower.poll(records), 0u);
    append(file, "7\n8 9 1");
    EXPECT_EQ(follower.poll(records), 1u);
    EXPECT_EQ(records, (std::vector<double>{1, 2, 3, 4, 55, 67}));
    append(file, "0\t");
    EXPECT_EQ(follower.poll(records), 1u);
    EXPECT_EQ(records.back(), 10);
    // The digest of every byte read; by coreutils: printf '1 2 3\n4 55 67\n8 9 10\t' | sha256sum
    EXPECT_EQ(follower.sha256(),
              "c45c0220a269be52495bd61bb7ae761a365159a13cb7c3813c3daba1b2f4c3ea");
}

TEST(InitsFollower, TruncationReplacementAndTextEndTheWatch) {
    TempDir dir;
    const auto file = dir / "inits.txt";
    testing::writeFile(file, "1 2 3\n");
    std::vector<double> records;
    {
        InitsFollower follower(file, 3);
        follower.poll(records);
        testing::writeFile(file, "1 2\n");  // same file, shorter
        EXPECT_EQ(errorOf(follower, records),
                  "inits.txt was truncated while being watched (4 bytes, 6 read); the outputs "
                  "of the last refresh are kept");
    }
    {
        InitsFollower follower(file, 3);
        follower.poll(records);
        std::filesystem::remove(file);
        testing::writeFile(file, "1 2 3 4 5 6\n");  // another file under the name
        EXPECT_EQ(errorOf(follower, records),
                  "inits.txt was replaced or removed while being watched; the outputs of the "
                  "last refresh are kept");
    }
    {
        InitsFollower follower(file, 3);
        append(file, "7 8 9\nx ");
        EXPECT_EQ(errorOf(follower, records),
                  "inits.txt line 3: reading stopped at \"x\", which is not a number; watching "
                  "stopped, the outputs of the last refresh are kept");
    }
    // Lines of two receivers' records read for one receiver: refused as a plain read refuses.
    testing::writeFile(dir / "two.txt", "1 2 3 4 5 6 7 8 9\n1 2 3 4 5 6 7 8 9\n");
    InitsFollower two(dir / "two.txt", 5);
    EXPECT_EQ(errorOf(two, records),
              "two.txt holds 9 numbers on each line, the records of 2 receivers, but 1 legend was "
              "given");
    EXPECT_FALSE(InitsFollower(dir / "missing.txt", 3).isOpen());
}

}  // namespace
}  // namespace ambiscan::app
