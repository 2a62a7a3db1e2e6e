// The unpaired statistics of a comparison of runs against values computed independently:
// scipy 1.10 (fisher_exact, mannwhitneyu), enumeration of every split in Python, Newcombe's
// published worked examples, and cases worked by hand. The script that made the scipy values:
//
//   from scipy import stats; import numpy as np
//   stats.fisher_exact([[a, b], [c, d]], alternative='two-sided')[1]
//   stats.mannwhitneyu(b, a, method='exact', alternative='two-sided')        # no ties
//   stats.mannwhitneyu(b, a, method='asymptotic', use_continuity=True,
//                      alternative='two-sided')                              # ties, inf
//   # exact with ties: every split of the pooled values enumerated with itertools.combinations,
//   # rank sums from stats.rankdata, p = min(1, 2 min(P(<=), P(>=)))
//   # Hodges-Lehmann: sorted(y - x for x in a for y in b), k from the untied U distribution
//   # enumerated over all rank subsets (small), or round(mn/2 - 1.959964 sqrt(mn(m+n+1)/12))
#include <gtest/gtest.h>

#include <limits>

#include "SampleOf.hpp"
#include "campaign/FisherExact.hpp"
#include "campaign/HodgesLehmannShift.hpp"
#include "campaign/Holm.hpp"
#include "campaign/MannWhitney.hpp"
#include "campaign/ScoreIntervals.hpp"

namespace ambiscan::campaign {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(FisherExact, TwoSidedPAgreesWithScipy) {
    struct Case {
        std::size_t a, b, c, d;
        double p;
    };
    for (const Case& t : std::vector<Case>{
             {3, 1, 1, 3, 0.48571428571428565},
             {10, 0, 2, 8, 0.0007144558228149558},
             {1, 9, 11, 3, 0.0027594561852200836},
             {395, 5, 371, 29, 2.6756330631803134e-05},
             {395, 5, 392, 8, 0.5778788102390207},
             {9990, 10, 9970, 30, 0.0021995283424723084},
             {0, 5, 5, 0, 0.007936507936507938},
             {7, 3, 7, 3, 1.0},
         }) {
        EXPECT_NEAR(fisherExactP(t.a, t.b, t.c, t.d), t.p, 1e-9 * t.p + 1e-15)
            << t.a << " " << t.b << " " << t.c << " " << t.d;
    }
    // A margin of 0: every table is the observed one.
    EXPECT_EQ(fisherExactP(5, 0, 7, 0), 1);
    EXPECT_EQ(fisherExactP(0, 0, 3, 4), 1);
}

TEST(ScoreIntervals, NewcombesWorkedExamplesForMethod10) {
    // Newcombe (1998), Statistics in Medicine 17:873-890, Table II, method 10: the difference
    // first minus second. Ours is the second sample minus the first, so the pairs are swapped.
    struct Case {
        std::size_t k1, n1, k2, n2;
        double lower, upper;
    };
    for (const Case& t : std::vector<Case>{{56, 70, 48, 80, 0.0524, 0.3339},
                                           {9, 10, 3, 10, 0.1705, 0.8090},
                                           {5, 56, 0, 29, -0.0381, 0.1926},
                                           {0, 10, 0, 20, -0.1611, 0.2775}}) {
        const evidence::Interval d = newcombeDifference95(t.k2, t.n2, t.k1, t.n1);
        EXPECT_NEAR(d.lower, t.lower, 5e-5) << t.k1 << "/" << t.n1;
        EXPECT_NEAR(d.upper, t.upper, 5e-5) << t.k1 << "/" << t.n1;
    }
    // Wilson's limits at the ends are the proportion itself.
    EXPECT_EQ(wilson95(0, 20).lower, 0);
    EXPECT_EQ(wilson95(20, 20).upper, 1);
    EXPECT_TRUE(std::isnan(newcombeDifference95(1, 0, 1, 2).lower));
}

TEST(MannWhitney, ExactPWithoutTiesAgreesWithScipy) {
    const MannWhitneyResult small = mannWhitney(sampleOf({12, 15, 19, 22, 30, 41, 55}),
                                                sampleOf({14, 25, 33, 38, 47, 60, 72, 90}));
    EXPECT_TRUE(small.exact);
    EXPECT_EQ(small.u, 42);
    EXPECT_NEAR(small.p, 0.1205905205905206, 1e-12);
    EXPECT_EQ(small.bLater, 1);  // 42 of 56 pairs: b later

    // 40 against 50 attempts: the largest samples still exact.
    const std::vector<double> a = {1,  2,  3,  5,  7,  8,  11, 13, 17, 18, 20, 24, 25, 27,
                                   29, 30, 33, 36, 37, 41, 43, 45, 47, 49, 51, 55, 57, 59,
                                   62, 63, 64, 75, 77, 81, 83, 84, 85, 86, 87, 88};
    std::vector<double> b = {4,  6,  9,  10, 12, 14, 15, 16, 19, 21, 22, 23, 26, 28, 31, 32, 34,
                             35, 38, 39, 40, 42, 44, 46, 48, 50, 52, 53, 54, 56, 58, 60, 61, 65,
                             66, 67, 68, 69, 70, 71, 72, 73, 74, 76, 78, 79, 80, 82, 89, 90};
    for (double& t : b) {
        t += 0.5;
    }
    const MannWhitneyResult large = mannWhitney(sampleOf(a), sampleOf(b));
    EXPECT_TRUE(large.exact);
    EXPECT_EQ(large.u, 1092);
    EXPECT_NEAR(large.p, 0.45938015124691345, 1e-10);
}

TEST(MannWhitney, ExactPWithTiesAndNoCorrectFixCountsEverySplitWithTheMidranks) {
    // a = {1, 2, 2, inf}, b = {2, 3, inf}: midranks 1, 3, 3, 6.5 and 3, 5, 6.5; U of b = 8.5.
    // Of the 35 splits 31 have a rank sum of b at most the observed, 10 at least:
    // p = 2 * 10 / 35.
    const MannWhitneyResult r = mannWhitney(sampleOf({1, 2, 2, kInf}), sampleOf({2, 3, kInf}));
    EXPECT_TRUE(r.exact);
    EXPECT_EQ(r.u, 8.5);
    EXPECT_NEAR(r.p, 20.0 / 35, 1e-12);
    // All tied: no evidence either way.
    const MannWhitneyResult tied = mannWhitney(sampleOf({kInf, kInf}), sampleOf({kInf}));
    EXPECT_EQ(tied.p, 1);
    EXPECT_EQ(tied.bLater, 0);
}

TEST(MannWhitney, NormalWithTieAndContinuityCorrectionsAgreesWithScipy) {
    std::vector<double> a, b;
    const auto add = [](std::vector<double>& v, double t, int n) { v.insert(v.end(), n, t); };
    add(a, 10, 30), add(a, 11, 25), add(a, 12, 20), add(a, 15, 10), add(a, kInf, 15);
    add(b, 10, 20), add(b, 11, 20), add(b, 12, 25), add(b, 15, 15), add(b, 20, 5), add(b, kInf, 25);
    const MannWhitneyResult r = mannWhitney(sampleOf(a), sampleOf(b));
    EXPECT_FALSE(r.exact);
    EXPECT_EQ(r.u, 6712.5);
    EXPECT_NEAR(r.p, 0.004873634136274817, 1e-12);
    EXPECT_EQ(r.bLater, 1);
}

TEST(HodgesLehmannShift, MedianOfDifferencesWithItsDistributionFreeInterval) {
    // 5 against 6: 30 differences, median 8.5; k = 4 from the exact untied distribution.
    const Shift small =
        hodgesLehmannShift(sampleOf({20, 22, 25, 31, 40}), sampleOf({24, 29, 33, 35, 41, 50}));
    EXPECT_EQ(small.estimate, 8.5);
    EXPECT_EQ(small.ci95.lower, -7);
    EXPECT_EQ(small.ci95.upper, 21);

    // 60 against 68 (past the exact limit): k = 1630 from the normal approximation.
    std::vector<double> a, b;
    for (int t = 10; t < 70; ++t) {
        a.push_back(t);
    }
    for (int t = 12; t < 80; ++t) {
        b.push_back(t + 3);
    }
    const Shift large = hodgesLehmannShift(sampleOf(a), sampleOf(b));
    EXPECT_EQ(large.estimate, 9);
    EXPECT_EQ(large.ci95.lower, 2);
    EXPECT_EQ(large.ci95.upper, 16);
}

TEST(HodgesLehmannShift, OnlyCorrectFixesCountAndTooFewGiveNoInterval) {
    // The attempts without a correct fix take no part: {10, 20} against {13, 23}: 3 s later.
    const Shift shift =
        hodgesLehmannShift(sampleOf({10, 20, kInf}), sampleOf({13, 23, kInf, kInf}));
    EXPECT_EQ(shift.estimate, 3);
    // Four differences cannot give a 95 % interval: P(U <= 0) = 1/6 > 0.025.
    EXPECT_TRUE(std::isnan(shift.ci95.lower));
    EXPECT_TRUE(std::isnan(shift.ci95.upper));
    // No correct fix on one side: no shift at all. Equal values: 0, never -0.
    EXPECT_TRUE(std::isnan(hodgesLehmannShift(sampleOf({kInf}), sampleOf({3})).estimate));
    EXPECT_FALSE(std::signbit(hodgesLehmannShift(sampleOf({5, 5}), sampleOf({5})).estimate));
}

TEST(Holm, StepDownAdjustmentWorkedByHand) {
    // Sorted 0.005, 0.01, 0.03, 0.04 times 4, 3, 2, 1: 0.02, 0.03, 0.06, 0.04 -> 0.06 (monotone).
    const std::vector<double> adjusted = holmAdjusted({0.01, 0.04, 0.03, 0.005});
    const std::vector<double> expected = {0.03, 0.06, 0.06, 0.02};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_NEAR(adjusted[i], expected[i], 1e-15);
    }
    EXPECT_EQ(holmAdjusted({0.5, 0.6}), (std::vector<double>{1, 1}));  // capped at 1
    EXPECT_TRUE(holmAdjusted({}).empty());
}

}  // namespace
}  // namespace ambiscan::campaign
