#include "platform/numeric/Statistics.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace ambiscan {
namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(Median, OddAndEvenCounts) {
    EXPECT_EQ(medianValue(Matrix::row({5, 1, 3})), 3);
    EXPECT_EQ(medianValue(Matrix::row({4, 1, 3, 2})), 2.5);
    EXPECT_EQ(medianValue(Matrix::row({7})), 7);
    EXPECT_TRUE(std::isnan(medianValue(Matrix())));
    EXPECT_TRUE(std::isnan(medianValue(Matrix::row({1, kNaN, 3}))));
}

TEST(Median, HugeValuesDoNotOverflow) {
    EXPECT_EQ(medianValue(Matrix::row({1e308, 1e308})), 1e308);
}

TEST(Median, SelectionAgreesWithTheSortedMiddleForOddAndEvenCounts) {
    // Whole numbers with many repeats: the plain rule (sort, take the middle, or the mean of
    // the two middle values) is exact in any order of operations.
    std::mt19937 random(5);
    for (std::size_t n = 1; n <= 64; ++n) {
        for (int trial = 0; trial < 20; ++trial) {
            std::uniform_int_distribution<int> value(-20, 20);
            std::vector<double> v(n);
            for (double& x : v)
                x = value(random);
            const Matrix m(1, n, v);
            std::vector<double> sorted = v;
            std::sort(sorted.begin(), sorted.end());
            const double expected =
                n % 2 == 1 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
            ASSERT_EQ(medianValue(m), expected) << "n " << n;
            // The values themselves are left as they were.
            ASSERT_EQ(m.toVector(), v);
        }
    }
}

TEST(Median, AnyNaNAnywhereGivesNaN) {
    for (std::size_t n = 1; n <= 9; ++n) {
        for (std::size_t at = 0; at < n; ++at) {
            std::vector<double> v(n);
            for (std::size_t i = 0; i < n; ++i)
                v[i] = static_cast<double>(n - i);
            v[at] = kNaN;
            EXPECT_TRUE(std::isnan(medianValue(Matrix(n, 1, v)))) << n << " " << at;
        }
    }
}

TEST(MeanAndStd, SampleStandardDeviation) {
    EXPECT_DOUBLE_EQ(meanValue(Matrix::row({1, 2, 3, 4})), 2.5);
    EXPECT_DOUBLE_EQ(stdValue(Matrix::row({2, 4, 4, 4, 5, 5, 7, 9})), std::sqrt(32.0 / 7));
    EXPECT_EQ(stdValue(Matrix::row({3})), 0);
    EXPECT_TRUE(std::isnan(stdValue(Matrix())));
    EXPECT_TRUE(std::isnan(meanValue(Matrix())));
}

TEST(Max, IgnoresNaNUnlessAllAre) {
    EXPECT_EQ(maxValue(Matrix::row({1, kNaN, 3})), 3);
    EXPECT_TRUE(std::isnan(maxValue(Matrix::row({kNaN}))));
}

TEST(Histc, LowerEdgeInclusiveLastEdgeExact) {
    const Matrix edges = Matrix::row({0, 1, 2});
    // 0 and 0.5 in bin 1, 1 in bin 2, 2 exactly on the last edge, 2.5 and -1 nowhere.
    const Matrix counts = histc(Matrix::row({0, 0.5, 1, 2, 2.5, -1, kNaN}), edges);
    EXPECT_EQ(counts, Matrix::row({2, 1, 1}));
}

TEST(Histc, CountsKeepTheOrientationOfTheValues) {
    const Matrix edges = Matrix::row({0, 1});
    EXPECT_EQ(histc(Matrix::column({0.5, 1}), edges), Matrix::column({1, 1}));
    const Matrix twoColumns(2, 2, {0.5, 0.7, 1, 5});
    EXPECT_EQ(histc(twoColumns, edges), Matrix(2, 2, {2, 0, 0, 1}));
}

// The plain rule: the last edge not above v, found by search.
Matrix histcBySearch(const std::vector<double>& values, const std::vector<double>& edges) {
    Matrix counts(1, edges.size());
    for (const double v : values) {
        if (std::isnan(v) || v < edges.front() || v > edges.back())
            continue;
        const auto it = std::upper_bound(edges.begin(), edges.end(), v);
        counts[static_cast<std::size_t>(it - edges.begin()) - 1] += 1;
    }
    return counts;
}

TEST(Histc, EvenlySpacedEdgesCountAsTheSearchAtEveryEdge) {
    // Edges built by repeated arithmetic, as the error histograms build them, so that they are
    // not exactly evenly spaced: on, just below and just above every one of them.
    std::vector<double> edges;
    for (int m = 0; m <= 80; ++m)
        edges.push_back(-0.2 + m * 0.005);
    edges[40] = 0;
    std::vector<double> values;
    for (const double e : edges) {
        values.push_back(e);
        values.push_back(std::nextafter(e, -1.0));
        values.push_back(std::nextafter(e, 1.0));
    }
    std::mt19937 random(3);
    std::uniform_real_distribution<double> spread(-0.25, 0.25);
    for (int i = 0; i < 2000; ++i)
        values.push_back(spread(random));
    Matrix row(1, values.size());
    std::copy(values.begin(), values.end(), row.data().begin());
    Matrix edgeRow(1, edges.size());
    std::copy(edges.begin(), edges.end(), edgeRow.data().begin());
    EXPECT_EQ(histc(row, edgeRow), histcBySearch(values, edges));
}

TEST(Histc, UnsortedEdgesStillCountLikeTheSearch) {
    const std::vector<double> edges{0, 2, 1, 3};
    const std::vector<double> values{0.5, 1.5, 2.5, 3};
    EXPECT_EQ(histc(Matrix::row({0.5, 1.5, 2.5, 3}), Matrix::row({0, 2, 1, 3})),
              histcBySearch(values, edges));
}

TEST(RoundHalfAway, HalvesGoAwayFromZero) {
    EXPECT_EQ(roundHalfAway(12.5), 13);
    EXPECT_EQ(roundHalfAway(-12.5), -13);
    EXPECT_EQ(roundHalfAway(7.49), 7);
}

TEST(MatrixRange, IncludesTheLastValueOnTheGrid) {
    EXPECT_EQ(Matrix::range(0, 5, 505).numel(), 102u);
    EXPECT_EQ(Matrix::range(0, 1, 501).numel(), 502u);
    EXPECT_EQ(Matrix::range(0, 0.1, 1).numel(), 11u);
    EXPECT_TRUE(Matrix::range(1, 1, 0).empty());
}

TEST(MatrixShape, TransposeAndReshapeKeepColumnMajorOrder) {
    const Matrix m(2, 3, {1, 2, 3, 4, 5, 6});
    EXPECT_EQ(m(1, 2), 6);
    EXPECT_EQ(m.transposed(), Matrix(3, 2, {1, 3, 5, 2, 4, 6}));
    EXPECT_EQ(m.reshaped(3, 2)(2, 0), 3);
    EXPECT_EQ(m.columnAt(1), Matrix::column({3, 4}));
    EXPECT_EQ(m.rowAt(1), Matrix::row({2, 4, 6}));
}

}  // namespace
}  // namespace ambiscan
