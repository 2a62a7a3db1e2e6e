#include "platform/render/detail/ZeroPages.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

namespace ambiscan::render {
namespace {

TEST(ZeroPages, ReadsAsZerosAndKeepsWhatIsWrittenWhenMoved) {
    ZeroPages pages;
    EXPECT_TRUE(pages.empty());
    constexpr std::size_t kBytes = 1200 * 900;
    pages.allocate(kBytes);
    ASSERT_FALSE(pages.empty());
    EXPECT_TRUE(std::all_of(pages.data(), pages.data() + kBytes, [](auto b) { return b == 0; }));
    pages.data()[kBytes - 1] = 7;
    ZeroPages moved = std::move(pages);
    EXPECT_TRUE(pages.empty());
    EXPECT_EQ(moved.data()[kBytes - 1], 7);
    // Asked again, it is zeros again.
    moved.allocate(10);
    EXPECT_EQ(moved.data()[9], 0);
}

}  // namespace
}  // namespace ambiscan::render
