#include "evidence/SignedRankDistribution.hpp"

#include <gtest/gtest.h>

#include <numeric>

namespace ambiscan::evidence {
namespace {

// Three ranks 1, 2, 3: the sums 0 1 2 3 3 4 5 6 of the eight sign patterns.
TEST(SignedRankDistribution, ThreeRanksByHand) {
    const std::vector<double> p = signedRankSumProbabilities({1, 2, 3});
    const std::vector<double> expected = {1, 1, 1, 2, 1, 1, 1};
    ASSERT_EQ(p.size(), expected.size());
    for (std::size_t s = 0; s < p.size(); ++s) {
        EXPECT_DOUBLE_EQ(p[s], expected[s] / 8) << s;
    }
    // Doubled midranks of a tie: 3 3 (ranks 1.5 1.5) give 0, 3, 3, 6.
    const std::vector<double> tied = signedRankSumProbabilities({3, 3});
    EXPECT_DOUBLE_EQ(tied[3], 0.5);
    EXPECT_DOUBLE_EQ(tied[1], 0);
}

// Five attempts, one receiver 1 s slower every time: W+ = 15 of 15, P = 1/32 each side.
TEST(SignedRankDistribution, FiveEqualDifferencesGiveTheExactP) {
    EXPECT_DOUBLE_EQ(exactSignedRankP({6, 6, 6, 6, 6}, 30), 0.0625);  // doubled midranks 3
    EXPECT_DOUBLE_EQ(exactSignedRankP({2, 4, 6, 8, 10}, 30), 0.0625);
    EXPECT_EQ(exactSignedRankP({2, 4, 6, 8, 10}, 15), 1);  // the middle
}

// The largest k with P(W <= k - 1) <= 0.025: one above the published two-sided 5 % critical
// values of the signed-rank statistic (none for n = 5; 0, 2, 8, 52, 137 for n = 6, 7, 10, 20,
// 30), and from an exact count in Python integers for larger m:
//   def k_of(m):
//       c = [1]
//       for r in range(1, m + 1):
//           n = [0] * (len(c) + r)
//           for s, v in enumerate(c): n[s] += v; n[s + r] += v
//           c = n
//       cum = k = 0
//       for s, v in enumerate(c):
//           cum += v
//           if cum * 40 > 2 ** m: break
//           k = s + 1
//       return k
TEST(WalshBoundRank, MatchesPublishedCriticalValuesAndAnExactCount) {
    EXPECT_EQ(walshBoundRank(0), 0u);
    EXPECT_EQ(walshBoundRank(1), 0u);
    EXPECT_EQ(walshBoundRank(5), 0u);
    EXPECT_EQ(walshBoundRank(6), 1u);
    EXPECT_EQ(walshBoundRank(7), 3u);
    EXPECT_EQ(walshBoundRank(10), 9u);
    EXPECT_EQ(walshBoundRank(20), 53u);
    EXPECT_EQ(walshBoundRank(30), 138u);
    EXPECT_EQ(walshBoundRank(50), 435u);
    EXPECT_EQ(walshBoundRank(100), 1956u);
    EXPECT_EQ(walshBoundRank(200), 8445u);
    // Above 200 the normal value: round(201 * 202 / 4 - 1.959964 sqrt(201 * 202 * 403 / 24)).
    EXPECT_EQ(walshBoundRank(201), 8532u);
}

}  // namespace
}  // namespace ambiscan::evidence
