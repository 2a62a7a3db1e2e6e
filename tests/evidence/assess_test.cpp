#include "evidence/Evidence.hpp"

#include <gtest/gtest.h>

#include <cmath>

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
    EXPECT_EQ(a.correctFixWithin500sPercent, 100);
    EXPECT_DOUBLE_EQ(a.horizontalP95, 0.01);
}

TEST(Assess, TenAttemptsNoneGoodListsEveryRow) {
    const RunEvidence e = assess(run({dataSet("A", kTen, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9})}));
    const DataSetEvidence& a = e.dataSets[0];
    EXPECT_EQ(a.good, 0u);
    EXPECT_EQ(a.bad, 10u);
    EXPECT_EQ(a.reliabilityCi95Percent.lower, 0);
    EXPECT_NEAR(a.reliabilityCi95Percent.upper, 30.849710781876, 1e-9);  // 100(1 - 0.025^0.1)
    EXPECT_TRUE(std::isnan(a.p90CorrectFix));
    EXPECT_EQ(a.correctFixWithin500sPercent, 0);
    EXPECT_TRUE(std::isnan(a.horizontalP50));
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
}

// Rows: A good everywhere; B bad on rows 0 and 1. B is slower by 1, 1, 2 s and faster by 1 s,
// equal once, and row 5 has no time for A.
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
    EXPECT_DOUBLE_EQ(c.mcnemarExactP, 0.5);   // 2 * P(X <= 0), X ~ Bin(2, 1/2)
    EXPECT_EQ(c.medianDifferenceSeconds, 1);  // of 1, 1, 2, -1, 0
    EXPECT_EQ(c.nonzeroPairs, 4u);
    // |d| 1 1 1 2: ranks 2 2 2 4, W+ = 8 against 5; variance 4*5*9/24 - (27 - 3)/48 = 7;
    // z = 3 / sqrt 7, p = erfc(z / sqrt 2) = 0.256839.
    EXPECT_NEAR(c.wilcoxonP, 0.2568392580, 1e-9);
    // A NaN time leaves the time intervals of its data set undefined.
    EXPECT_TRUE(std::isnan(e.dataSets[0].medianCi95.lower));
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

}  // namespace
}  // namespace ambiscan::evidence
