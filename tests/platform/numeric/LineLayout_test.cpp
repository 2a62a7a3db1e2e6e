#include "platform/numeric/LineLayout.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace ambiscan {
namespace {

std::size_t layoutOf(const std::vector<std::size_t>& lines) {
    LineLayout layout;
    for (const std::size_t count : lines) {
        for (std::size_t k = 0; k < count; ++k) {
            layout.addNumber();
        }
        layout.endLine();
    }
    return layout.commonCount();
}

TEST(LineLayout, SameCountOnEveryLineIsTheLayout) {
    EXPECT_EQ(layoutOf({9, 9, 0, 9}), 9u);  // a blank line holds no numbers
    EXPECT_EQ(layoutOf({9, 9, 4}), 9u);     // the last line may be cut short
    EXPECT_EQ(layoutOf({1, 1, 1}), 1u);
}

TEST(LineLayout, AnythingElseHasNoLayout) {
    EXPECT_EQ(layoutOf({9}), 0u);        // everything on one line
    EXPECT_EQ(layoutOf({9, 4}), 0u);     // one full line only
    EXPECT_EQ(layoutOf({9, 4, 9}), 0u);  // a short line before the last
    EXPECT_EQ(layoutOf({9, 9, 10}), 0u);
    EXPECT_EQ(layoutOf({}), 0u);
}

}  // namespace
}  // namespace ambiscan
