#include "charts/hist.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "platform/base/RuntimeError.hpp"

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

// The counting rule written plainly: bin k takes b[k] < v <= b[k+1] for boundaries b halfway
// between the centres, the first bin everything below and the last everything above.
Matrix plainCounts(const std::vector<double>& values, const std::vector<double>& centres) {
    const std::size_t n = centres.size();
    Matrix counts(1, n);
    for (const double v : values) {
        if (std::isnan(v))
            continue;
        std::size_t k = 0;
        while (k + 1 < n && v > (centres[k] + centres[k + 1]) / 2)
            ++k;
        counts[k] += 1;
    }
    return counts;
}

TEST(HistCounting, EvenBinsAgreeWithThePlainRuleOnAndBesideEveryBoundary) {
    // The 5-second bins of the distribution figure and the centimetre bins of the error ones.
    for (const double step : {5.0, 0.005, 0.1}) {
        std::vector<double> centres;
        for (int k = 0; k < 40; ++k)
            centres.push_back(step * (k - 10));
        std::vector<double> values;
        for (std::size_t k = 0; k + 1 < centres.size(); ++k) {
            const double b = (centres[k] + centres[k + 1]) / 2;
            values.insert(values.end(), {b, std::nextafter(b, -1e300), b - step * 1e-6,
                                         b + step * 1e-6, centres[k]});
        }
        values.insert(values.end(), {kNaN, -std::numeric_limits<double>::infinity(),
                                     std::numeric_limits<double>::infinity(), centres.front(),
                                     centres.back(), -1e12, 1e12});
        std::mt19937 random(11);
        std::uniform_real_distribution<double> any(centres.front() - 3 * step,
                                                   centres.back() + 3 * step);
        for (int i = 0; i < 2000; ++i)
            values.push_back(any(random));
        Matrix y(values.size(), 1);
        for (std::size_t i = 0; i < values.size(); ++i)
            y[i] = values[i];
        Matrix x(1, centres.size());
        for (std::size_t i = 0; i < centres.size(); ++i)
            x[i] = centres[i];
        EXPECT_EQ(hist(y, x).no, plainCounts(values, centres)) << "step " << step;
    }
}

TEST(HistCounting, UnevenBinsAgreeWithThePlainRule) {
    const std::vector<double> centres = {-1000, -1, 0, 0.001, 0.5, 3, 1e6};
    std::vector<double> values;
    for (std::size_t k = 0; k + 1 < centres.size(); ++k) {
        const double b = (centres[k] + centres[k + 1]) / 2;
        values.insert(values.end(), {b, b * (1 - 1e-9) - 1e-12, b * (1 + 1e-9) + 1e-12});
    }
    std::mt19937 random(3);
    std::uniform_real_distribution<double> any(-2000, 2e6);
    std::uniform_real_distribution<double> near(-2, 4);
    for (int i = 0; i < 1000; ++i)
        values.insert(values.end(), {any(random), near(random)});
    Matrix y(values.size(), 1);
    for (std::size_t i = 0; i < values.size(); ++i)
        y[i] = values[i];
    Matrix x(1, centres.size());
    for (std::size_t i = 0; i < centres.size(); ++i)
        x[i] = centres[i];
    EXPECT_EQ(hist(y, x).no, plainCounts(values, centres));
}

}  // namespace
}  // namespace ambiscan::charts
