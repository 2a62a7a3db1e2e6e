#include "analysis/positionErrors.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace ambiscan::analysis {
namespace {

TEST(Classification, HorizontalErrorOverTheLimitIsBad) {
    EXPECT_TRUE(isBadInit(0.08, 0.09, 0.10));  // 0.1204 m
}

TEST(Classification, ErrorsExactlyOnTheLimitsAreGood) {
    EXPECT_FALSE(isBadInit(0.12, 0, -0.22));
    EXPECT_FALSE(isBadInit(0, -0.12, 0.22));
}

TEST(Classification, AbsoluteHeightErrorCounts) {
    EXPECT_TRUE(isBadInit(0, 0, -0.23));
    EXPECT_TRUE(isBadInit(0, 0, 0.2201));
}

TEST(Classification, AttemptWithoutAKnownPositionIsBad) {
    const double nan = std::nan("");
    EXPECT_TRUE(isBadInit(nan, 0, 0));
    EXPECT_TRUE(isBadInit(0, nan, 0));
    EXPECT_TRUE(isBadInit(0, 0, nan));
    EXPECT_TRUE(isBadInit(0, 0, -INFINITY));
}

TEST(Classification, BadRowsAreListedInAscendingOrder) {
    const Matrix errors(4, 3, {0.2, 0, 0, 0, 0, 0, 0.13, 0, 0, 0, 0, 0.5});
    EXPECT_EQ(badRows(errors), (std::vector<std::size_t>{0, 2, 3}));
}

TEST(ErrorStatistics, MeanAndSampleDeviationPerAxis) {
    const Matrix errors(3, 3, {1, 2, 3, 0, 0, 0, -1, 1, 3});
    const ErrorStatistics s = errorStatistics(errors);
    EXPECT_EQ(s.mean[0], 2);
    EXPECT_EQ(s.sigma[0], 1);
    EXPECT_EQ(s.sigma[1], 0);
    EXPECT_EQ(s.mean[2], 1);
    EXPECT_EQ(s.sigma[2], 2);
}

TEST(ErrorStatistics, NoRowsGiveNaN) {
    const ErrorStatistics s = errorStatistics(Matrix(0, 3));
    EXPECT_TRUE(std::isnan(s.mean[0]));
    EXPECT_TRUE(std::isnan(s.sigma[2]));
}

TEST(PositionTexts, BadInitLineHasTwoDecimalErrors) {
    EXPECT_EQ(badInitLine(17, 345600, 0.153, -0.021, 0.3),
              "Init Num = 17 Time = 345600 dE = 0.15 dN = -0.02 dU = 0.30");
    EXPECT_EQ(badInitHeading("Rover"), "Rover: Bad Init List (Init Num / Time / dE / dN / dU)");
}

}  // namespace
}  // namespace ambiscan::analysis
