#include "charts/hist.hpp"

#include <gtest/gtest.h>

#include <limits>

#include "platform/runtime/RuntimeError.hpp"

namespace ambiscan::charts {
namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(Hist, ValueOnInnerBoundaryCountsInLowerBin) {
    // Boundaries -2.5, 2.5, 7.5 and 12 (the last widened from 10 to the largest value).
    const HistCounts h = hist(Matrix::row({2.5, 2.6, 7.5, 12}), Matrix::row({0, 5, 10}));
    EXPECT_EQ(h.no, Matrix::row({1, 2, 1}));
    EXPECT_EQ(h.xo, Matrix::row({0, 5, 10}));
}

TEST(Hist, ValuesBeyondTheOuterCentresCountInTheOuterBins) {
    EXPECT_EQ(hist(Matrix::row({-100}), Matrix::row({0, 5, 10})).no, Matrix::row({1, 0, 0}));
    EXPECT_EQ(hist(Matrix::row({1e9, 10}), Matrix::row({0, 5, 10})).no, Matrix::row({0, 0, 2}));
}

TEST(Hist, NaNValuesAreCountedNowhere) {
    const HistCounts h = hist(Matrix::row({kNaN, 1, kNaN, 6}), Matrix::row({0, 5, 10}));
    EXPECT_EQ(h.no, Matrix::row({1, 1, 0}));
}

TEST(Hist, VectorValuesGiveARowOfCountsAndCentresAsGiven) {
    const HistCounts h = hist(Matrix::column({1, 2, 6}), Matrix::column({0, 5}));
    EXPECT_EQ(h.no, Matrix::row({2, 1}));
    EXPECT_EQ(h.xo, Matrix::column({0, 5}));
}

TEST(Hist, MatrixValuesAreCountedPerColumn) {
    Matrix y(3, 2);
    y(0, 0) = 0;
    y(1, 0) = 1;
    y(2, 0) = 9;
    y(0, 1) = 8;
    y(1, 1) = 9;
    y(2, 1) = 10;
    const HistCounts h = hist({Value{y}, Value{Matrix::row({0, 10})}});
    Matrix expected(2, 2);
    expected(0, 0) = 2;
    expected(1, 0) = 1;
    expected(0, 1) = 0;
    expected(1, 1) = 3;
    EXPECT_EQ(h.no, expected);
    EXPECT_EQ(h.xo, Matrix::column({0, 10}));
}

TEST(Hist, SingleNumberIsABinCount) {
    const HistCounts h = hist({Value{Matrix::row({0, 1, 2, 3, 4})}, Value{Matrix::scalar(2)}});
    EXPECT_EQ(h.xo, Matrix::row({1, 3}));
    EXPECT_EQ(h.no, Matrix::row({3, 2}));
}

TEST(Hist, EqualValuesSitInTheSixthOfTenUnitBins) {
    const HistCounts h = hist({Value{Matrix::row({3, 3, 3})}});
    ASSERT_EQ(h.xo.numel(), 10u);
    for (std::size_t k = 0; k < 10; ++k) {
        EXPECT_DOUBLE_EQ(h.xo[k], -2 + static_cast<double>(k));
    }
    EXPECT_EQ(h.no, Matrix::row({0, 0, 0, 0, 0, 3, 0, 0, 0, 0}));
}

TEST(Hist, EmptyValuesGiveZeroCountsAndColumnCentres) {
    const HistCounts h = hist({Value{Matrix()}});
    EXPECT_EQ(h.no, Matrix(1, 10, 0.0));
    EXPECT_EQ(h.xo, Matrix::range(1, 1, 10).transposed());
}

TEST(Hist, RejectsMissingAndTextArguments) {
    EXPECT_THROW(
        {
            try {
                hist(std::vector<Value>{});
            } catch (const RuntimeError& e) {
                EXPECT_STREQ(e.what(), "Requires one or two input arguments.");
                throw;
            }
        },
        RuntimeError);
    EXPECT_THROW(
        {
            try {
                hist({Value{Matrix::row({1, 2})}, Value{std::string("bins")}});
            } catch (const RuntimeError& e) {
                EXPECT_STREQ(e.what(), "Input arguments must be numeric.");
                throw;
            }
        },
        RuntimeError);
}

TEST(Hist, RejectsABinCountThatIsNoPositiveWholeNumber) {
    EXPECT_THROW(hist({Value{Matrix::row({1, 2})}, Value{Matrix::scalar(0)}}), RuntimeError);
    EXPECT_THROW(hist({Value{Matrix::row({1, 2})}, Value{Matrix::scalar(2.5)}}), RuntimeError);
}

}  // namespace
}  // namespace ambiscan::charts
