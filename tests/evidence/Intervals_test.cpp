#include "evidence/Intervals.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace ambiscan::evidence {
namespace {

// Published Clopper-Pearson 95 % limits (Clopper & Pearson 1934; the tables of exact binomial
// limits in Conover, Practical Nonparametric Statistics): 9 of 10 is 0.5550-0.9975 and 5 of 10
// 0.1871-0.8129. With no success the upper limit is 1 - 0.025^(1/n), with all successes the
// lower one 0.025^(1/n): 0.3085 and 0.6915 for ten attempts.
TEST(ClopperPearson, MatchesPublishedLimitsAndTheClosedFormsAtTheEnds) {
    const Interval nine = clopperPearson95(9, 10);
    EXPECT_NEAR(nine.lower, 0.5550, 5e-5);
    EXPECT_NEAR(nine.upper, 0.9975, 5e-5);
    const Interval five = clopperPearson95(5, 10);
    EXPECT_NEAR(five.lower, 0.1871, 5e-5);
    EXPECT_NEAR(five.upper, 0.8129, 5e-5);
    const Interval none = clopperPearson95(0, 10);
    EXPECT_EQ(none.lower, 0);
    EXPECT_NEAR(none.upper, 0.30849710781876, 1e-12);
    const Interval all = clopperPearson95(10, 10);
    EXPECT_NEAR(all.lower, 0.69150289218124, 1e-12);
    EXPECT_EQ(all.upper, 1);
    // One attempt: 0.025 and 0.975 are the only limits there are.
    EXPECT_NEAR(clopperPearson95(1, 1).lower, 0.025, 1e-15);
    EXPECT_NEAR(clopperPearson95(0, 1).upper, 0.975, 1e-15);
    EXPECT_TRUE(std::isnan(clopperPearson95(0, 0).lower));
}

// Distribution-free intervals of the median in the textbook tables (e.g. Conover, table A3;
// Gibbons & Chakraborti): x(2)..x(9) for n = 10, x(40)..x(61) for n = 100. For the 90 % point
// of ten values, P(B <= 6) = 0.0128 <= 0.025 < P(B <= 7) = 0.0702 gives x(7) from below, and
// P(B <= 9) = 0.651 never reaches 0.975: no upper bound.
TEST(QuantileRanks, MatchPublishedMedianTablesAndTheTenAttemptNinetyPercentCase) {
    EXPECT_EQ(quantileRanks95(10, 0.5).lower, 2u);
    EXPECT_EQ(quantileRanks95(10, 0.5).upper, 9u);
    EXPECT_EQ(quantileRanks95(100, 0.5).lower, 40u);
    EXPECT_EQ(quantileRanks95(100, 0.5).upper, 61u);
    EXPECT_EQ(quantileRanks95(10, 0.9).lower, 7u);
    EXPECT_EQ(quantileRanks95(10, 0.9).upper, 0u);
    // Five values cannot bound the median on either side: P(B <= 0) = 1/32 > 0.025.
    EXPECT_EQ(quantileRanks95(5, 0.5).lower, 0u);
    EXPECT_EQ(quantileRanks95(5, 0.5).upper, 0u);
}

// A second method: a linear scan over r with the binomial sums built term by term.
RankBounds ranksByScan(std::size_t n, double p) {
    std::vector<long double> pmf(n + 1);
    pmf[0] = std::pow(1.0L - p, static_cast<long double>(n));
    for (std::size_t k = 1; k <= n; ++k) {
        pmf[k] = pmf[k - 1] * (n - k + 1) / k * p / (1 - p);
    }
    RankBounds ranks;
    long double below = 0;  // P(B <= r - 1)
    for (std::size_t r = 1; r <= n; ++r) {
        below += pmf[r - 1];
        if (below <= 0.025L) {
            ranks.lower = r;
        }
        if (ranks.upper == 0 && below >= 0.975L) {
            ranks.upper = r;
        }
    }
    return ranks;
}

TEST(QuantileRanks, AgreeWithALinearScanOfTheBinomialSums) {
    for (const double p : {0.5, 0.9}) {
        for (std::size_t n = 1; n <= 400; n += (n < 60 ? 1 : 37)) {
            const RankBounds fast = quantileRanks95(n, p);
            const RankBounds scan = ranksByScan(n, p);
            EXPECT_EQ(fast.lower, scan.lower) << "n=" << n << " p=" << p;
            EXPECT_EQ(fast.upper, scan.upper) << "n=" << n << " p=" << p;
        }
    }
}

TEST(QuantileInterval, ReadsTheRanksOfUnsortedTimesAndGivesNothingWithANaNTime) {
    std::vector<double> times = {5, 1, 9, 3, 7, 2, 10, 4, 8, 6};  // 1 .. 10 s
    const Interval p90 = quantileInterval95(times, 0.9);
    EXPECT_EQ(p90.lower, 7);
    EXPECT_TRUE(std::isnan(p90.upper));
    const Interval median = quantileInterval95(times, 0.5);  // the same, reordered, values
    EXPECT_EQ(median.lower, 2);
    EXPECT_EQ(median.upper, 9);

    std::vector<double> withNaN = {3, std::nan(""), 1, 2, 5, 4, 8, 7, 6, 9};
    EXPECT_TRUE(std::isnan(quantileInterval95(withNaN, 0.5).lower));
    EXPECT_TRUE(std::isnan(quantileInterval95(withNaN, 0.5).upper));
}

// Ranks in any order, repeated or out of range (NaN), against a sorted copy.
TEST(ValuesAtRanks, AgreeWithASortedCopy) {
    std::vector<double> values;
    for (int k = 0; k < 1000; ++k) {
        values.push_back((k * 7919) % 1009 +
                         (k % 3 == 0 ? std::numeric_limits<double>::infinity() : 0));
    }
    std::vector<double> sorted = values;
    std::sort(sorted.begin(), sorted.end());
    const std::vector<std::size_t> ranks = {999, 1, 500, 0, 1000, 500, 1001, 2, 667, 668};
    const std::vector<double> picked = valuesAtRanks(values, ranks);
    ASSERT_EQ(picked.size(), ranks.size());
    for (std::size_t k = 0; k < ranks.size(); ++k) {
        if (ranks[k] == 0 || ranks[k] > 1000) {
            EXPECT_TRUE(std::isnan(picked[k]));
        } else {
            EXPECT_EQ(picked[k], sorted[ranks[k] - 1]) << ranks[k];
        }
    }
}

// The nearest rank with its interval: of 1 .. 20, the 95 % point is the 19th; the binomial
// ranks of n = 20, p = 0.95 give 17 from below (P(B <= 16) = 0.0159) and none from above.
TEST(QuantileWithInterval, NearestRankInsideItsInterval) {
    std::vector<double> values;
    for (int k = 20; k >= 1; --k) {
        values.push_back(k);
    }
    const QuantileEstimate q = quantileWithInterval95(values, 95);
    EXPECT_EQ(q.estimate, 19);
    EXPECT_EQ(q.ci95.lower, 17);
    EXPECT_TRUE(std::isnan(q.ci95.upper));
    std::vector<double> none;
    EXPECT_TRUE(std::isnan(quantileWithInterval95(none, 95).estimate));
}

}  // namespace
}  // namespace ambiscan::evidence
