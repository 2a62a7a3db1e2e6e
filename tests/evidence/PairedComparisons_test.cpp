#include "evidence/PairedComparisons.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace ambiscan::evidence {
namespace {

// By hand: with m = 11 differing rows, P(X <= 3) = (1 + 11 + 55 + 165) / 2048, doubled 0.2265625;
// six rows all one way: 2 / 64; five against five: 2 P(X <= 5) > 1, so 1.
TEST(McNemar, ExactBinomialTailsWorkedByHand) {
    EXPECT_DOUBLE_EQ(mcnemarExactP(8, 3), 464.0 / 2048);
    EXPECT_DOUBLE_EQ(mcnemarExactP(3, 8), 464.0 / 2048);
    EXPECT_DOUBLE_EQ(mcnemarExactP(0, 6), 2.0 / 64);
    EXPECT_EQ(mcnemarExactP(5, 5), 1);
    EXPECT_EQ(mcnemarExactP(0, 0), 1);
}

// d = 1, 2, -3, 4, 5: W+ = 1 + 2 + 4 + 5 = 12 against a mean of 7.5, variance 5*6*11/24 =
// 13.75, z = 1.21356; p = erfc(z / sqrt 2) = 0.224916.
TEST(SignedRank, DistinctDifferencesWorkedByHand) {
    const SignedRankTest test = wilcoxonSignedRank({1, 2, -3, 4, 5});
    EXPECT_EQ(test.nonzeroPairs, 5u);
    EXPECT_NEAR(test.p, 0.2249158840, 1e-9);
}

// d = 0, 1, -1, 2, 2, 2, -3 (and 2.2 as decimal times give it): the zero is dropped (m = 6),
// |d| ranks 1.5 1.5 4 4 4 6, W+ = 1.5 + 12 = 13.5 against 10.5; variance 6*7*13/24 minus
// ((2^3 - 2) + (3^3 - 3)) / 48 = 22.125; z = 0.637793, p = 0.523609.
TEST(SignedRank, TiesTakeAverageRanksAndShrinkTheVariance) {
    const SignedRankTest test = wilcoxonSignedRank({0, 1, -1, 2, 2, 2, -3});
    EXPECT_EQ(test.nonzeroPairs, 6u);
    EXPECT_NEAR(test.p, 0.5236085643, 1e-9);
    // 12.3 - 10.1 and 5.2 - 3.0 differ in the last bit; they still tie.
    const SignedRankTest decimal =
        wilcoxonSignedRank({0, 1, -1, 12.3 - 10.1, 2.2, 5.2 - 3.0, -3.3});
    EXPECT_NEAR(decimal.p, 0.5236085643, 1e-9);
}

TEST(SignedRank, NothingToRankGivesOne) {
    EXPECT_EQ(wilcoxonSignedRank({}).p, 1);
    const SignedRankTest zeros = wilcoxonSignedRank({0, 0, std::nan("")});
    EXPECT_EQ(zeros.nonzeroPairs, 0u);
    EXPECT_EQ(zeros.p, 1);
}

TEST(MedianDifference, MiddleOrMeanOfTheMiddleTwoWithoutNaN) {
    EXPECT_EQ(medianOf({5, -1, 3}), 3);
    EXPECT_EQ(medianOf({4, 1, std::nan(""), 2, 10}), 3);
    EXPECT_TRUE(std::isnan(medianOf({std::nan("")})));
}

}  // namespace
}  // namespace ambiscan::evidence
