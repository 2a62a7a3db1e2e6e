#include "evidence/AccuracyPercentiles.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace ambiscan::evidence {
namespace {

TEST(NearestRank, TakesTheCeilingRank) {
    std::vector<double> twenty;
    for (int k = 20; k >= 1; --k) {
        twenty.push_back(k);
    }
    // 0.95 * 20 = 19: the 19th smallest; 0.5 * 20 = 10; 0.95 * 21 = 19.95: the 20th.
    EXPECT_EQ(nearestRank(twenty, 95), 19);
    EXPECT_EQ(nearestRank(twenty, 50), 10);
    twenty.push_back(21);
    EXPECT_EQ(nearestRank(twenty, 95), 20);
    std::vector<double> three = {0.3, 0.1, 0.2};
    EXPECT_EQ(nearestRank(three, 50), 0.2);  // ceil(1.5) = 2nd
    EXPECT_EQ(nearestRank(three, 95), 0.3);  // ceil(2.85) = 3rd
    std::vector<double> none;
    EXPECT_TRUE(std::isnan(nearestRank(none, 50)));
    std::vector<double> withNaN = {1, std::nan("")};
    EXPECT_TRUE(std::isnan(nearestRank(withNaN, 50)));
}

TEST(AccuracyPercentiles, OnlyGoodFixesCountAndNoneGivesNaN) {
    // 3-4-5 triangles: horizontal errors 0.05 and 0.10 (cm scale), the bad row far off.
    const Matrix east = Matrix::column({0.03, 0.06, 3});
    const Matrix north = Matrix::column({0.04, -0.08, 4});
    const Matrix height = Matrix::column({-0.02, 0.01, 9});
    const AccuracyPercentiles p = accuracyPercentiles(east, north, height, {true, true, false});
    EXPECT_DOUBLE_EQ(p.horizontalP50, 0.05);
    EXPECT_DOUBLE_EQ(p.horizontalP95, 0.10);
    EXPECT_DOUBLE_EQ(p.verticalAbsP95, 0.02);
    const AccuracyPercentiles none =
        accuracyPercentiles(east, north, height, {false, false, false});
    EXPECT_TRUE(std::isnan(none.horizontalP50));
    EXPECT_TRUE(std::isnan(none.verticalAbsP95));
}

}  // namespace
}  // namespace ambiscan::evidence
