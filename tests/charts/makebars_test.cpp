#include "charts/makebars.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace ambiscan::charts {
namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();

Value row(std::initializer_list<double> v) {
    return Value{Matrix::row(v)};
}
Value text(const char* s) {
    return Value{std::string(s)};
}

// Left and right edge of bar k of series j.
double left(const BarLayout& b, std::size_t k, std::size_t j = 0) {
    return b.xx(5 * k + 1, j);
}
double right(const BarLayout& b, std::size_t k, std::size_t j = 0) {
    return b.xx(5 * k + 3, j);
}

TEST(Makebars, EquallySpacedBinsWithWidthOneTouch) {
    const BarLayout b = makebars({row({5, 10, 15}), row({1, 2, 3}), Value{Matrix::scalar(1)}});
    ASSERT_EQ(b.msg, "");
    EXPECT_EQ(b.barwidth, 1);
    ASSERT_EQ(b.xx.rows(), 16u);
    EXPECT_DOUBLE_EQ(left(b, 0), 2.5);
    EXPECT_DOUBLE_EQ(right(b, 0), 7.5);
    EXPECT_DOUBLE_EQ(left(b, 1), 7.5);
    EXPECT_DOUBLE_EQ(right(b, 1), 12.5);
    EXPECT_DOUBLE_EQ(left(b, 2), 12.5);
    EXPECT_DOUBLE_EQ(right(b, 2), 17.5);
    EXPECT_EQ(b.equal, Matrix::scalar(1));
}

TEST(Makebars, OutlineBlocksJoinAlongTheBaseLine) {
    const BarLayout b = makebars({row({1, 2}), row({4, 6})});
    ASSERT_EQ(b.msg, "");
    // Block of bar 0: slot start, then the four corners; the final row repeats row 5n.
    EXPECT_DOUBLE_EQ(b.xx(0, 0), 0.5);
    EXPECT_DOUBLE_EQ(b.xx(1, 0), 0.6);
    EXPECT_DOUBLE_EQ(b.xx(2, 0), 0.6);
    EXPECT_DOUBLE_EQ(b.xx(3, 0), 1.4);
    EXPECT_DOUBLE_EQ(b.xx(4, 0), 1.4);
    EXPECT_DOUBLE_EQ(b.xx(10, 0), b.xx(9, 0));
    const std::vector<double> heights{0, 0, 4, 4, 0, 0, 0, 6, 6, 0, 0};
    for (std::size_t r = 0; r < heights.size(); ++r) {
        EXPECT_EQ(b.yy(r, 0), heights[r]) << "row " << r;
    }
}

TEST(Makebars, ThreeGroupedSeriesShareTwoThirdsOfTheSpacing) {
    // Three series at positions 10, 12, 14: spacing s = 2, delta = 2s/9.
    Matrix y(3, 3, 1.0);
    const BarLayout b = makebars({row({10, 12, 14}), Value{y}, text("group")});
    ASSERT_EQ(b.msg, "");
    EXPECT_EQ(b.plottype, 0);
    const double s = 2, delta = 2 * s / 9;
    for (std::size_t j = 0; j < 3; ++j) {
        for (std::size_t k = 0; k < 3; ++k) {
            const double p = 10 + 2 * static_cast<double>(k);
            const double start = p - s / 3 + static_cast<double>(j) * delta;
            EXPECT_NEAR(left(b, k, j), start + 0.1 * delta, 1e-12);
            EXPECT_NEAR(right(b, k, j), start + 0.9 * delta, 1e-12);
        }
    }
    EXPECT_EQ(b.x.cols(), 3u);
}

TEST(Makebars, GroupWidthDependsOnTheNumberOfSeries) {
    auto barWidthFor = [](std::size_t m) {
        const BarLayout b = makebars({row({1, 2, 3}), Value{Matrix(3, m, 1.0)}});
        return right(b, 0) - left(b, 0);
    };
    EXPECT_NEAR(barWidthFor(2), 0.8 * (4.0 / 7) / 2, 1e-12);
    EXPECT_NEAR(barWidthFor(4), 0.8 * (8.0 / 11) / 4, 1e-12);
    EXPECT_NEAR(barWidthFor(6), 0.8 * 0.8 / 6, 1e-12);
    EXPECT_NEAR(barWidthFor(1), 0.8, 1e-12);
}

TEST(Makebars, DescendingPositionsAreSortedAndHeightsFollow) {
    const BarLayout b = makebars({row({3, 1, 2}), row({30, 10, 20})});
    ASSERT_EQ(b.msg, "");
    EXPECT_EQ(b.x, Matrix::column({1, 2, 3}));
    EXPECT_EQ(b.y, Matrix::column({10, 20, 30}));
}

TEST(Makebars, NaNHeightsBecomeZeroHeightBars) {
    const BarLayout b = makebars({row({1, kNaN, 3})});
    EXPECT_EQ(b.y, Matrix::column({1, 0, 3}));
    EXPECT_EQ(b.yy(7, 0), 0);
}

TEST(Makebars, OneOrTwoPositionsGetSlotWidthOne) {
    const BarLayout one = makebars({row({7}), row({2})});
    ASSERT_EQ(one.msg, "");
    EXPECT_DOUBLE_EQ(left(one, 0), 6.6);
    EXPECT_DOUBLE_EQ(right(one, 0), 7.4);

    const BarLayout two = makebars({row({0, 100}), row({1, 2})});
    EXPECT_DOUBLE_EQ(left(two, 1), 99.6);
    EXPECT_DOUBLE_EQ(right(two, 1), 100.4);
    const BarLayout twoHist = makebars({row({0, 100}), row({1, 2}), text("hist")});
    EXPECT_TRUE(twoHist.equal.empty());
}

TEST(Makebars, GroupedSeriesAtTwoPositionsStandSideBySide) {
    const BarLayout b = makebars({row({0, 100}), Value{Matrix(2, 2, 1.0)}});
    ASSERT_EQ(b.msg, "");
    EXPECT_LT(right(b, 0, 0), left(b, 0, 1) + 1e-12);
    EXPECT_NEAR((left(b, 0, 0) + right(b, 0, 1)) / 2, 0, 1e-12);
}

TEST(Makebars, UnequallySpacedPlainBarsTakeTheSmallestGap) {
    const BarLayout b = makebars({row({0, 1, 3}), row({1, 1, 1})});
    for (std::size_t k = 0; k < 3; ++k) {
        EXPECT_NEAR(right(b, k) - left(b, k), 0.8, 1e-12);
    }
    EXPECT_DOUBLE_EQ(left(b, 2), 2.6);
    EXPECT_EQ(b.equal, Matrix::scalar(1));
}

TEST(Makebars, SingleNumberIsAWidthOnlyAfterDataOfSeveralElements) {
    const BarLayout width = makebars({row({1, 2, 3}), Value{Matrix::scalar(0.5)}});
    EXPECT_EQ(width.barwidth, 0.5);
    EXPECT_EQ(width.x, Matrix::column({1, 2, 3}));

    // A single height and a number: both go to the data check, as position and height.
    const BarLayout data = makebars({Value{Matrix::scalar(3)}, Value{Matrix::scalar(0.5)}});
    ASSERT_EQ(data.msg, "");
    EXPECT_EQ(data.barwidth, 0.8);
    EXPECT_EQ(data.x, Matrix::scalar(3));
    EXPECT_EQ(data.y, Matrix::scalar(0.5));
}

TEST(Makebars, OptionsAreReadByTheirFirstLetterIgnoringCase) {
    EXPECT_EQ(makebars({row({1, 2, 3}), text("Stacked")}).plottype, 1);
    EXPECT_EQ(makebars({row({1, 2, 3}), text("GROUPED")}).plottype, 0);
    EXPECT_EQ(makebars({row({1, 2, 3}), text("x")}).msg, "Unrecognized option \"x\".");
    EXPECT_EQ(makebars({row({1, 2, 3}), text("detached")}).msg,
              "Unrecognized option \"detached\".");
    const BarLayout hist = makebars({row({1, 2, 3}), text("Histogram")});
    EXPECT_EQ(hist.barwidth, 1);
}

TEST(Makebars, ColourIsTakenBeforeTheOption) {
    const BarLayout red = makebars({row({1, 2, 3}), text("r")});
    EXPECT_EQ(red.msg, "");
    EXPECT_EQ(red.linetype, "r");
    const BarLayout both = makebars({row({1, 2, 3}), text("stack"), text("g")});
    EXPECT_EQ(both.msg, "");
    EXPECT_EQ(both.linetype, "g");
    EXPECT_EQ(both.plottype, 1);
}

TEST(Makebars, StackedHeightsAreRunningSums) {
    Matrix y(2, 2);
    y(0, 0) = 2;
    y(0, 1) = -1;
    y(1, 0) = 3;
    y(1, 1) = 1;
    const BarLayout b = makebars({row({1, 2}), Value{y}, text("stacked")});
    ASSERT_EQ(b.msg, "");
    // Series 2 at position 1 reaches down from 2 to 1.
    EXPECT_EQ(b.yy(1, 1), 2);
    EXPECT_EQ(b.yy(2, 1), 1);
    EXPECT_EQ(b.yy(7, 1), 4);
    EXPECT_EQ(b.yy(6, 1), 3);
    // Both series share the slot of a position.
    EXPECT_EQ(left(b, 0, 0), left(b, 0, 1));
}

TEST(Makebars, CentreHistogramBarsSpanBoundaryToBoundary) {
    const BarLayout b = makebars({row({0, 1, 3}), row({1, 1, 1}), text("hist")});
    ASSERT_EQ(b.msg, "");
    EXPECT_EQ(b.equal, Matrix::scalar(0));
    EXPECT_DOUBLE_EQ(left(b, 0), -0.5);
    EXPECT_DOUBLE_EQ(right(b, 0), 0.5);
    EXPECT_DOUBLE_EQ(left(b, 1), 0.5);
    EXPECT_DOUBLE_EQ(right(b, 1), 2);
    EXPECT_DOUBLE_EQ(left(b, 2), 2);
    EXPECT_DOUBLE_EQ(right(b, 2), 4);
}

TEST(Makebars, EdgeHistogramBarsStartAtTheirEdge) {
    const BarLayout unequal = makebars({row({0, 1, 3}), row({1, 1, 1}), text("HISTC")});
    EXPECT_DOUBLE_EQ(left(unequal, 0), 0);
    EXPECT_DOUBLE_EQ(right(unequal, 0), 1);
    EXPECT_DOUBLE_EQ(left(unequal, 1), 1);
    EXPECT_DOUBLE_EQ(right(unequal, 1), 3);
    EXPECT_DOUBLE_EQ(left(unequal, 2), 3);
    EXPECT_DOUBLE_EQ(right(unequal, 2), 5);

    const BarLayout equal = makebars({row({0, 2, 4}), row({1, 1, 1}), text("histc")});
    EXPECT_EQ(equal.equal, Matrix::scalar(1));
    EXPECT_DOUBLE_EQ(left(equal, 1), 2);
    EXPECT_DOUBLE_EQ(right(equal, 1), 4);
}

TEST(Makebars, RepeatedPositionsLeaveTheSpacingUntold) {
    const BarLayout b = makebars({row({2, 2, 2}), row({1, 1, 1}), text("hist")});
    ASSERT_EQ(b.msg, "");
    EXPECT_TRUE(b.equal.empty());
    EXPECT_DOUBLE_EQ(right(b, 0) - left(b, 0), 1);
}

TEST(Makebars, FailuresComeBackInTheMessage) {
    EXPECT_EQ(makebars({}).msg, "Not enough input arguments.");
    const Value y = row({1, 2});
    EXPECT_EQ(makebars({y, y, y, y, y, y}).msg, "Too many input arguments.");
    const BarLayout mismatch = makebars({row({1, 2, 3}), row({1, 2})});
    EXPECT_EQ(mismatch.msg, "Vector X must have the same length as Y.");
    EXPECT_TRUE(mismatch.xx.empty());
    EXPECT_TRUE(mismatch.x.empty());
    EXPECT_FALSE(makebars({y, text("3")}).msg.empty());
}

TEST(Makebars, SingleRowIsOneSeriesOfSeveralBars) {
    const BarLayout b = makebars({row({4, 5, 6})});
    EXPECT_EQ(b.xx.cols(), 1u);
    EXPECT_EQ(b.x, Matrix::column({1, 2, 3}));
}

}  // namespace
}  // namespace ambiscan::charts
