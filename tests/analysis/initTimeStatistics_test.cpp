#include "analysis/initTimeStatistics.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace ambiscan::analysis {
namespace {

TEST(InitTimeSummary, NinetyPercentTimeIsTheFirstSecondReachingNinety) {
    const auto s = initTimeSummary(Matrix::column({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}), 10);
    EXPECT_EQ(s.ninetyPercentile, 9);
    EXPECT_DOUBLE_EQ(s.CDF[8], 80);
    EXPECT_DOUBLE_EQ(s.CDF[9], 90);
    EXPECT_DOUBLE_EQ(s.CDF[500], 100);
    EXPECT_EQ(s.CDF.numel(), 501u);
}

TEST(InitTimeSummary, TimeOnAHalfSecondCountsInTheLowerSecond) {
    // 3.5 s belongs to the bin centred on 3, so the curve reaches it at second 3.
    const auto s = initTimeSummary(Matrix::column({3.5}), 1);
    EXPECT_EQ(s.CDF[2], 0);
    EXPECT_EQ(s.CDF[3], 100);
}

TEST(InitTimeSummary, TimesBeyond500AndAHalfSecondsOnlyWeighInTheDivisor) {
    const auto s = initTimeSummary(Matrix::column({500, 500.5, 501, 10}), 4);
    EXPECT_DOUBLE_EQ(s.CDF[500], 75);
    EXPECT_EQ(s.max, 501);
    EXPECT_DOUBLE_EQ(s.mean, (500 + 500.5 + 501 + 10) / 4);
    EXPECT_DOUBLE_EQ(s.median, 500.25);
}

TEST(InitTimeSummary, NeverReachingNinetyGivesNaN) {
    const auto s = initTimeSummary(Matrix::column({10, 20, 30, 40, 50, 60, 70, 80, 600, 700}), 10);
    EXPECT_TRUE(std::isnan(s.ninetyPercentile));
    EXPECT_DOUBLE_EQ(s.CDF[500], 80);
}

}  // namespace
}  // namespace ambiscan::analysis
