#include "analysis/initTimeDistribution.hpp"

#include <gtest/gtest.h>

namespace ambiscan::analysis {
namespace {

TEST(Distribution, FiveSecondBinsTakeTimesUpToTheirUpperBoundary) {
    const Matrix p = distributionPercentages(Matrix::column({0, 2, 3, 7}), 4);
    ASSERT_EQ(p.numel(), 101u);
    EXPECT_EQ(p[0], 50);
    EXPECT_EQ(p[1], 50);
    double rest = 0;
    for (std::size_t k = 2; k < 101; ++k) {
        rest += p[k];
    }
    EXPECT_EQ(rest, 0);
}

TEST(Distribution, TimesBeyond502AndAHalfAreDroppedButCounted) {
    const Matrix p = distributionPercentages(Matrix::column({503, 10, 502.5, 1}), 4);
    double sum = 0;
    for (const double v : p) {
        sum += v;
    }
    EXPECT_EQ(sum, 75);
    EXPECT_EQ(p[100], 25);  // 502.5 s is in the bin centred on 500
}

}  // namespace
}  // namespace ambiscan::analysis
