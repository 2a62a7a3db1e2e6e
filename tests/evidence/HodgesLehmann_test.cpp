#include "evidence/HodgesLehmann.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "evidence/SignedRankDistribution.hpp"

namespace ambiscan::evidence {
namespace {

// Every Walsh sum listed and sorted: the plain way the selection must agree with.
std::vector<double> allWalshSums(const std::vector<double>& x) {
    std::vector<double> sums;
    for (std::size_t i = 0; i < x.size(); ++i) {
        for (std::size_t j = i; j < x.size(); ++j) {
            sums.push_back(x[i] + x[j]);
        }
    }
    std::sort(sums.begin(), sums.end());
    return sums;
}

// Whole seconds with many ties (few distinct values) and decimals (all distinct), on sizes
// that take the sorted and the pivoting ways: every rank checked against the full list.
TEST(WalshSum, EveryRankAgreesWithTheSortedList) {
    std::mt19937 random(7);
    for (const bool whole : {true, false}) {
        for (const std::size_t n : {1u, 2u, 9u, 120u, 600u}) {
            std::vector<double> x;
            // Whole seconds tie often; at n = 600 they still leave more distinct sums than are
            // sorted at once, so the pivots meet weighted sums.
            std::uniform_int_distribution<int> seconds(n < 600 ? -20 : -300, n < 600 ? 40 : 500);
            std::normal_distribution<double> decimal(3, 10);
            for (std::size_t k = 0; k < n; ++k) {
                x.push_back(whole ? seconds(random) : std::round(decimal(random) * 100) / 100);
            }
            const std::vector<double> sums = allWalshSums(x);
            const std::vector<ValueCount> sample = distinctValues(x);
            for (std::size_t rank = 1; rank <= sums.size(); rank += (n < 100   ? 1
                                                                     : n < 600 ? 97
                                                                               : 9973)) {
                ASSERT_EQ(walshSum(sample, rank), sums[rank - 1])
                    << "whole " << whole << " n " << n << " rank " << rank;
            }
        }
    }
}

// The shared search against the plain sort, on 300 seeded small samples: decimals, whole
// numbers with many ties, zeros, one value repeated. A search that draws 16 sums a round and
// sorts only 8 goes through many rounds, its brackets missing the rank and holding nothing but
// equal sums, as long runs do now and then. Every rank of the estimate and its interval, and
// a few more, against every Walsh sum listed and sorted.
TEST(WalshSums, SharedSearchAgreesWithThePlainSortOnRandomSamples) {
    std::mt19937 random(2026);
    const WalshSearch tight{16, 8};
    for (int trial = 0; trial < 300; ++trial) {
        const std::size_t n = 1 + static_cast<std::size_t>(random() % 45);
        const int kind = trial % 4;
        std::vector<double> x;
        std::uniform_int_distribution<int> few(-3, 3);
        std::normal_distribution<double> spread(0.5, 4);
        for (std::size_t k = 0; k < n; ++k) {
            switch (kind) {
                case 0:
                    x.push_back(std::round(spread(random) * 1000) / 1000);
                    break;
                case 1:
                    x.push_back(few(random));
                    break;
                case 2:
                    x.push_back(random() % 3 == 0 ? 0.0 : std::round(spread(random) * 10) / 10);
                    break;
                default:
                    x.push_back(k % 5 == 0 ? 1.25 : -0.5 + 0.1 * static_cast<double>(k % 7));
            }
        }
        const std::vector<double> sums = allWalshSums(x);
        const std::uint64_t total = sums.size();
        std::vector<std::uint64_t> ranks = {1, total, (total + 1) / 2, total / 2 + 1};
        for (int k = 0; k < 4; ++k) {
            ranks.push_back(1 + random() % total);
        }
        const std::vector<ValueCount> sample = distinctValues(x);
        const std::vector<double> plain = walshSumsBySorting(sample, ranks);
        const std::vector<double> shared = walshSums(sample, ranks, tight);
        const std::vector<double> usual = walshSums(sample, ranks);
        for (std::size_t r = 0; r < ranks.size(); ++r) {
            ASSERT_EQ(plain[r], sums[ranks[r] - 1]) << "trial " << trial << " rank " << ranks[r];
            ASSERT_EQ(shared[r], sums[ranks[r] - 1]) << "trial " << trial << " rank " << ranks[r];
            ASSERT_EQ(usual[r], sums[ranks[r] - 1]) << "trial " << trial << " rank " << ranks[r];
        }
    }
}

// Samples with more distinct values than are sorted at once take the shared search inside the
// estimate: its median and bounds are those of the listed averages (k from walshBoundRank).
TEST(HodgesLehmann, FastPathAgreesWithTheListedAverages) {
    std::mt19937 random(11);
    std::normal_distribution<double> spread(2, 6);
    for (int trial = 0; trial < 6; ++trial) {
        std::vector<double> x;
        for (int k = 0; k < 150 + 40 * trial; ++k) {
            x.push_back(trial % 2 == 0 ? std::round(spread(random) * 1000) / 1000
                                       : std::round(spread(random) * 4) / 4);
        }
        std::vector<double> averages = allWalshSums(x);
        for (double& w : averages) {
            w /= 2;
        }
        const std::size_t total = averages.size();
        const std::size_t k = walshBoundRank(x.size());
        const CentreEstimate e = hodgesLehmann(distinctValues(x));
        const double median = total % 2 == 1
                                  ? averages[total / 2]
                                  : averages[total / 2 - 1] / 2 + averages[total / 2] / 2;
        EXPECT_DOUBLE_EQ(e.estimate, median) << "trial " << trial;
        EXPECT_EQ(e.ci95.lower, averages[k - 1]) << "trial " << trial;
        EXPECT_EQ(e.ci95.upper, averages[total - k]) << "trial " << trial;
    }
}

// Values by brute force in Python (every Walsh average listed; k from the exact count, see
// SignedRankDistribution_test.cpp):
//   def hl(x):
//       w = sorted((x[i] + x[j]) / 2 for i in range(len(x)) for j in range(i, len(x)))
//       M = len(w); k = k_of(len(x))
//       return np.median(w), (w[k - 1], w[M - k])
//   hl([3.1, -1.2, 4.4, 0.5, 2.2, 2.2, 7.9, -0.3, 1.0, 5.5])    # 2.2, (0.5, 4.45)
//   hl([((i * 37) % 17) - 5.5 for i in range(20)])               # 1.5, (-1.0, 4.0)
TEST(HodgesLehmann, EstimateAndIntervalAsListedByBruteForce) {
    const CentreEstimate ten =
        hodgesLehmann(distinctValues({3.1, -1.2, 4.4, 0.5, 2.2, 2.2, 7.9, -0.3, 1.0, 5.5}));
    EXPECT_EQ(ten.size, 10u);
    EXPECT_DOUBLE_EQ(ten.estimate, 2.2);
    EXPECT_DOUBLE_EQ(ten.ci95.lower, 0.5);
    EXPECT_DOUBLE_EQ(ten.ci95.upper, 4.45);
    std::vector<double> twenty;
    for (int i = 0; i < 20; ++i) {
        twenty.push_back((i * 37) % 17 - 5.5);
    }
    const CentreEstimate e = hodgesLehmann(distinctValues(twenty));
    EXPECT_DOUBLE_EQ(e.estimate, 1.5);
    EXPECT_DOUBLE_EQ(e.ci95.lower, -1.0);
    EXPECT_DOUBLE_EQ(e.ci95.upper, 4.0);
}

// By hand: one value is its own estimate; five cannot be bounded (P(W <= 0) = 1/32 > 0.025);
// all tied gives the tie; no values give nothing.
TEST(HodgesLehmann, TinySamplesByHand) {
    const CentreEstimate one = hodgesLehmann(distinctValues({7}));
    EXPECT_EQ(one.estimate, 7);
    EXPECT_TRUE(std::isnan(one.ci95.lower));
    EXPECT_TRUE(std::isnan(one.ci95.upper));
    // 1, 2: Walsh averages 1, 1.5, 2.
    EXPECT_EQ(hodgesLehmann(distinctValues({2, 1})).estimate, 1.5);
    // 0, 0, 0, 4: averages 0 (six times), 2 (three), 4: median of ten is 0.
    EXPECT_EQ(hodgesLehmann(distinctValues({0, 4, 0, 0})).estimate, 0);
    const CentreEstimate tied = hodgesLehmann(distinctValues(std::vector<double>(30, -3)));
    EXPECT_EQ(tied.estimate, -3);
    EXPECT_EQ(tied.ci95.lower, -3);
    EXPECT_EQ(tied.ci95.upper, -3);
    EXPECT_TRUE(std::isnan(hodgesLehmann({}).estimate));
}

// A million whole-second differences (5 * 10^11 Walsh averages) in a few distinct values:
// counted by hand, 600 000 of 0 and 400 000 of 2 give averages 0 (1.8e11), 1 (2.4e11) and
// 2 (0.8e11): the median is 1.
TEST(HodgesLehmann, AMillionTiedDifferencesWithoutListingTheirAverages) {
    const CentreEstimate e = hodgesLehmann({{0, 600000}, {2, 400000}});
    EXPECT_EQ(e.size, 1000000u);
    EXPECT_EQ(e.estimate, 1);
    EXPECT_EQ(e.ci95.lower, 1);
    EXPECT_EQ(e.ci95.upper, 1);
}

}  // namespace
}  // namespace ambiscan::evidence
