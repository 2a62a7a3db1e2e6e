#include "platform/numeric/Statistics.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

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

TEST(Median, PerColumnOfAMatrix) {
    const Matrix m(3, 2, {1, 2, 3, 10, 30, 20});
    EXPECT_EQ(medianOf(m), Matrix::row({2, 20}));
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

TEST(Cumsum, RunningSumAlongAVector) {
    EXPECT_EQ(cumsumOf(Matrix::row({1, 2, 3})), Matrix::row({1, 3, 6}));
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
