#include "evidence/Evidence.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace ambiscan::evidence {
namespace {

// A data set with the given times; rows listed in `badRows` are 0.5 m off to the east.
analysis::DataSetResults dataSet(const std::string& name, std::vector<double> times,
                                 const std::vector<std::size_t>& badRows = {}) {
    const std::size_t n = times.size();
    std::vector<double> east(n, 0.01);
    for (const std::size_t r : badRows) {
        east[r] = 0.5;
    }
    analysis::DataSetResults d;
    d.name = name;
    d.times = Matrix::column(std::move(times));
    d.east = Matrix::column(std::move(east));
    d.north = Matrix(n, 1, 0.0);
    d.height = Matrix(n, 1, 0.0);
    d.stats.name = name;
    return d;
}

analysis::RunResults run(std::vector<analysis::DataSetResults> dataSets) {
    analysis::RunResults results;
    const std::size_t n = dataSets.front().times.numel();
    std::vector<double> starts;
    for (std::size_t r = 0; r < n; ++r) {
        starts.push_back(1000 + 60.0 * static_cast<double>(r));
    }
    results.startTimes = Matrix::column(starts);
    results.dataSets = std::move(dataSets);
    return results;
}

constexpr double kInf = std::numeric_limits<double>::infinity();

const std::vector<double> kTen = {5, 1, 9, 3, 7, 2, 10, 4, 8, 6};  // 1 .. 10 s, shuffled

TEST(Assess, TenAttemptsAllGood) {
    const RunEvidence e = assess(run({dataSet("A", kTen)}));
    ASSERT_EQ(e.dataSets.size(), 1u);
    EXPECT_TRUE(e.comparisons.empty());
    const DataSetEvidence& a = e.dataSets[0];
    EXPECT_EQ(a.attempts, 10u);
    EXPECT_EQ(a.good, 10u);
    EXPECT_EQ(a.bad, 0u);
    EXPECT_TRUE(a.badFixes.empty());
    EXPECT_NEAR(a.reliabilityCi95Percent.lower, 69.150289218124, 1e-9);  // 100 * 0.025^(1/10)
    EXPECT_EQ(a.reliabilityCi95Percent.upper, 100);
    EXPECT_EQ(a.p90Ci95.lower, 7);  // x(7); ten attempts give no upper bound
    EXPECT_TRUE(std::isnan(a.p90Ci95.upper));
    EXPECT_EQ(a.medianCi95.lower, 2);
    EXPECT_EQ(a.medianCi95.upper, 9);
    EXPECT_EQ(a.p90CorrectFix, 9);
    EXPECT_EQ(a.correctFixes, 10u);
    EXPECT_EQ(a.correctFixPercent, 100);
    // The 5th and 9th of ten, bounded as the times are.
    EXPECT_EQ(a.timeToCorrectFixP50, 5);
    EXPECT_EQ(a.timeToCorrectFixP50Ci95.lower, 2);
    EXPECT_EQ(a.timeToCorrectFixP50Ci95.upper, 9);
    EXPECT_EQ(a.timeToCorrectFixP90, 9);
    EXPECT_EQ(a.timeToCorrectFixP90Ci95.lower, 7);
    EXPECT_TRUE(std::isnan(a.timeToCorrectFixP90Ci95.upper));
    EXPECT_DOUBLE_EQ(a.horizontalP95, 0.01);
    EXPECT_EQ(a.allFixes, 10u);
    EXPECT_DOUBLE_EQ(a.allHorizontalP95, 0.01);
    EXPECT_EQ(a.independence.runs, 1u);
}

TEST(Assess, TenAttemptsNoneGoodListsEveryRow) {
    const RunEvidence e = assess(run({dataSet("A", kTen, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9})}));
    const DataSetEvidence& a = e.dataSets[0];
    EXPECT_EQ(a.good, 0u);
    EXPECT_EQ(a.bad, 10u);
    EXPECT_EQ(a.reliabilityCi95Percent.lower, 0);
    EXPECT_NEAR(a.reliabilityCi95Percent.upper, 30.849710781876, 1e-9);  // 100(1 - 0.025^0.1)
    EXPECT_TRUE(std::isnan(a.p90CorrectFix));
    EXPECT_EQ(a.correctFixPercent, 0);
    // Never a correct fix: the quantiles and both bounds are "not reached", not undefined.
    EXPECT_EQ(a.timeToCorrectFixP50, kInf);
    EXPECT_EQ(a.timeToCorrectFixP50Ci95.lower, kInf);
    EXPECT_EQ(a.timeToCorrectFixP50Ci95.upper, kInf);
    EXPECT_TRUE(std::isnan(a.horizontalP50));
    // Every fix is 0.5 m off: the all-fixes accuracy shows it.
    EXPECT_DOUBLE_EQ(a.allHorizontalP50, 0.5);
    ASSERT_EQ(a.badFixes.size(), 10u);
    EXPECT_EQ(a.badFixes[3].row, 4u);  // 1-based
    EXPECT_EQ(a.badFixes[3].startTime, 1180);
    EXPECT_EQ(a.badFixes[3].east, 0.5);
}

TEST(Assess, OneAttemptBoundsNeitherTime) {
    const DataSetEvidence a = assess(run({dataSet("A", {12})})).dataSets[0];
    EXPECT_NEAR(a.reliabilityCi95Percent.lower, 2.5, 1e-12);
    EXPECT_EQ(a.reliabilityCi95Percent.upper, 100);
    EXPECT_TRUE(std::isnan(a.medianCi95.lower));
    EXPECT_TRUE(std::isnan(a.medianCi95.upper));
    EXPECT_TRUE(std::isnan(a.p90Ci95.lower));
    EXPECT_EQ(a.p90CorrectFix, 12);
    EXPECT_EQ(a.timeToCorrectFixP90, 12);
    EXPECT_TRUE(std::isnan(a.timeToCorrectFixP90Ci95.lower));
}

// NaN and Inf times rank as never fixed, so the intervals keep their bounds; the 90 % time's
// bounds are on the curve's whole seconds and go past 500 s as "not reached".
TEST(Assess, TimeIntervalsRankMissingTimesAsNeverFixed) {
    const double nan = std::nan("");
    std::vector<double> times;
    for (int k = 1; k <= 40; ++k) {
        times.push_back(k + 0.3);
    }
    times[0] = nan;
    times[1] = kInf;
    times[2] = 600;
    const DataSetEvidence a = assess(run({dataSet("A", times)})).dataSets[0];
    // Sorted: 4.3 .. 40.3 then 600, Inf, Inf. n = 40, median ranks 14 and 27 (P(B <= 13) =
    // 0.0192, P(B <= 26) = 0.981 in scipy): the 14th is 17.3, the 27th 30.3.
    EXPECT_EQ(a.medianCi95.lower, 17 + 0.3);
    EXPECT_EQ(a.medianCi95.upper, 30 + 0.3);
    // 90 %: ranks 32 and 40 (P(B <= 31) = 0.0155, P(B <= 39) = 0.985): 35.3 binned to 35 s,
    // the 40th is Inf: not reached.
    EXPECT_EQ(a.p90Ci95.lower, 35);
    EXPECT_EQ(a.p90Ci95.upper, kInf);
}

// Rows: A good everywhere; B bad on rows 0 and 1, and row 5 has no time for A. Times to a
// correct fix: A 10 10 10 10 10 Inf, B Inf Inf 12 9 10 30; d = Inf Inf 2 -1 0 -Inf.
TEST(Assess, PairedComparisonCountsDisagreementsAndRanksDifferences) {
    const double nan = std::nan("");
    const RunEvidence e = assess(run(
        {dataSet("A", {10, 10, 10, 10, 10, nan}), dataSet("B", {11, 11, 12, 9, 10, 30}, {0, 1})}));
    ASSERT_EQ(e.comparisons.size(), 1u);
    const Comparison& c = e.comparisons[0];
    EXPECT_EQ(c.a, 0u);
    EXPECT_EQ(c.b, 1u);
    EXPECT_EQ(c.pairs, 6u);
    EXPECT_EQ(c.aGoodBBad, 2u);
    EXPECT_EQ(c.aBadBGood, 0u);
    EXPECT_DOUBLE_EQ(c.mcnemarExactP, 0.5);  // 2 * P(X <= 0), X ~ Bin(2, 1/2)
    EXPECT_NEAR(c.differencePercent, -100.0 / 3, 1e-12);
    EXPECT_EQ(c.onlyACorrect, 2u);
    EXPECT_EQ(c.onlyBCorrect, 1u);
    EXPECT_EQ(c.bothCorrect, 3u);
    EXPECT_EQ(c.nonzeroPairs, 5u);
    // |d| 1, 2, Inf x 3: ranks 1, 2, 4 4 4; W+ = 2 + 4 + 4 = 10 against 7.5 (b slower). Every
    // sign pattern in Python: 10 of 32 at or above 10, p = 2 * 10/32.
    EXPECT_EQ(c.bSlower, 1);
    EXPECT_DOUBLE_EQ(c.wilcoxonP, 0.625);
    // Walsh averages of 2, -1, 0: -1 -0.5 0 0.5 1 2, median 0.25; three rows bound nothing.
    EXPECT_EQ(c.hodgesLehmannSeconds, 0.25);
    EXPECT_TRUE(std::isnan(c.hodgesLehmannCi95Seconds.lower));
    // Holm over the two p-values: 2 * 0.5 = 1, then max(1, 0.625) = 1.
    EXPECT_EQ(e.comparedPValues, 2u);
    EXPECT_EQ(c.reliabilityPHolm, 1);
    EXPECT_EQ(c.timePHolm, 1);
    // The NaN time ranks as never fixed: A's median is bounded by x(1) = 10 and x(6) = Inf.
    EXPECT_EQ(e.dataSets[0].medianCi95.lower, 10);
    EXPECT_EQ(e.dataSets[0].medianCi95.upper, kInf);
}

// Whole seconds go through a histogram of the differences, decimals through sorting: the same
// tests and estimates either way (a shift of 0.25 s changes no difference).
TEST(Assess, WholeSecondsAndDecimalsCompareAlike) {
    std::vector<double> a, b, a2, b2;
    for (int r = 0; r < 300; ++r) {
        a.push_back(20 + r % 17);
        b.push_back(r % 11 == 0 ? 700 : 18 + (r * 7) % 13);
        a2.push_back(a.back() + 0.25);
        b2.push_back(b.back() + 0.25);
    }
    const Comparison whole = assess(run({dataSet("A", a), dataSet("B", b, {4, 9})})).comparisons[0];
    const Comparison decimal =
        assess(run({dataSet("A", a2), dataSet("B", b2, {4, 9})})).comparisons[0];
    EXPECT_EQ(whole.nonzeroPairs, decimal.nonzeroPairs);
    EXPECT_EQ(whole.wilcoxonP, decimal.wilcoxonP);
    EXPECT_EQ(whole.bSlower, decimal.bSlower);
    EXPECT_EQ(whole.onlyACorrect, decimal.onlyACorrect);
    EXPECT_EQ(whole.bothCorrect, decimal.bothCorrect);
    EXPECT_EQ(whole.hodgesLehmannSeconds, decimal.hodgesLehmannSeconds);
    EXPECT_EQ(whole.hodgesLehmannCi95Seconds.lower, decimal.hodgesLehmannCi95Seconds.lower);
    EXPECT_EQ(whole.hodgesLehmannCi95Seconds.upper, decimal.hodgesLehmannCi95Seconds.upper);
    EXPECT_EQ(whole.onlyACorrect, 28u + 2u);  // 28 rows of 700 s and the two bad ones
}

TEST(Assess, WholeSecondDifferencesAllOnOneSideRankOnlyWhatTheyHold) {
    // B 5 s sooner in 7 rows, no correct fix in 3: every finite d is -5, so the differences'
    // histogram holds -5 alone and nothing past it may be read.
    const double nan = std::nan("");
    const RunEvidence e = assess(run({dataSet("A", std::vector<double>(10, 20)),
                                      dataSet("B", {15, 15, 15, 15, 15, 15, 15, nan, nan, nan})}));
    ASSERT_EQ(e.comparisons.size(), 1u);
    const Comparison& c = e.comparisons[0];
    EXPECT_EQ(c.nonzeroPairs, 10u);  // every row differs: 7 finite, 3 only-A
    EXPECT_EQ(c.onlyACorrect, 3u);
    EXPECT_EQ(c.bothCorrect, 7u);
}

TEST(Assess, EveryPairInLegendOrder) {
    const RunEvidence e =
        assess(run({dataSet("A", {1, 2}), dataSet("B", {1, 2}), dataSet("C", {1, 2})}));
    ASSERT_EQ(e.comparisons.size(), 3u);
    EXPECT_EQ(e.comparisons[0].b, 1u);
    EXPECT_EQ(e.comparisons[1].b, 2u);
    EXPECT_EQ(e.comparisons[2].a, 1u);
    EXPECT_EQ(e.comparisons[2].wilcoxonP, 1);  // no difference at all
    EXPECT_EQ(e.comparisons[2].mcnemarExactP, 1);
}

// Long runs share the comparisons out between threads: the same pairs in the same order, and
// a single receiver (no pair at all) must not ask for any thread.
TEST(Assess, LongRunsCompareTheSamePairsInLegendOrder) {
    const std::size_t n = 30000;
    std::vector<double> one(n), two(n), three(n);
    for (std::size_t r = 0; r < n; ++r) {
        one[r] = 10;
        two[r] = 10 + static_cast<double>(r % 3);    // b slower in two rows of three
        three[r] = 10 - static_cast<double>(r % 2);  // faster in every other row
    }
    EXPECT_TRUE(assess(run({dataSet("A", one)})).comparisons.empty());
    const RunEvidence e = assess(run({dataSet("A", one), dataSet("B", two), dataSet("C", three)}));
    ASSERT_EQ(e.comparisons.size(), 3u);
    EXPECT_EQ(e.comparisons[0].nonzeroPairs, 20000u);  // A, B
    EXPECT_EQ(e.comparisons[1].nonzeroPairs, 15000u);  // A, C
    EXPECT_EQ(e.comparisons[2].a, 1u);                 // B, C: differences in 25 000 rows
    EXPECT_EQ(e.comparisons[2].nonzeroPairs, 25000u);
}

// Five identical receivers compared pair by pair: 10 pairs x 2 tests. Without an adjustment
// about 45 % of such runs showed a "significant" difference somewhere; Holm's keeps the chance
// of any at 5 % at most. 200 seeded runs of 30 attempts (whole-second times, 5 % bad fixes).
TEST(Assess, FiveIdenticalReceiversRarelyShowAnySignificantDifference) {
    std::mt19937 random(2026);
    std::geometric_distribution<int> extra(0.08);
    std::bernoulli_distribution bad(0.05);
    int alarms = 0;
    for (int runs = 0; runs < 200; ++runs) {
        std::vector<analysis::DataSetResults> receivers;
        for (const char* name : {"A", "B", "C", "D", "E"}) {
            std::vector<double> times;
            std::vector<std::size_t> badRows;
            for (std::size_t r = 0; r < 30; ++r) {
                times.push_back(5 + extra(random));
                if (bad(random)) {
                    badRows.push_back(r);
                }
            }
            receivers.push_back(dataSet(name, times, badRows));
        }
        const RunEvidence e = assess(run(std::move(receivers)));
        ASSERT_EQ(e.comparedPValues, 20u);
        bool any = false;
        for (const Comparison& c : e.comparisons) {
            any = any || c.reliabilityPHolm < 0.05 || c.timePHolm < 0.05;
        }
        alarms += any ? 1 : 0;
    }
    EXPECT_LE(alarms, 16);  // 8 % of 200
}

}  // namespace
}  // namespace ambiscan::evidence
