#include "evidence/HolmAdjustment.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace ambiscan::evidence {
namespace {

// By hand, K = 4: sorted 0.01 0.02 0.03 0.5 become 4 * 0.01 = 0.04, 3 * 0.02 = 0.06,
// max(0.06, 2 * 0.03) = 0.06, max(0.06, 0.5) = 0.5; returned in the given order.
TEST(Holm, StepDownWorkedByHand) {
    const std::vector<double> adjusted = holmAdjusted({0.03, 0.5, 0.01, 0.02});
    ASSERT_EQ(adjusted.size(), 4u);
    EXPECT_DOUBLE_EQ(adjusted[0], 0.06);
    EXPECT_DOUBLE_EQ(adjusted[1], 0.5);
    EXPECT_DOUBLE_EQ(adjusted[2], 0.04);
    EXPECT_DOUBLE_EQ(adjusted[3], 0.06);
    // Capped at 1, monotone where a larger p times a smaller factor would come out lower.
    const std::vector<double> capped = holmAdjusted({0.4, 0.45, 0.9});
    EXPECT_DOUBLE_EQ(capped[0], 1);
    EXPECT_DOUBLE_EQ(capped[1], 1);
    EXPECT_DOUBLE_EQ(capped[2], 1);
    EXPECT_TRUE(holmAdjusted({}).empty());
    EXPECT_DOUBLE_EQ(holmAdjusted({0.02})[0], 0.02);
}

}  // namespace
}  // namespace ambiscan::evidence
