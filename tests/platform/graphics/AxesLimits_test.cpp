#include <gtest/gtest.h>

#include <cmath>

#include "platform/graphics/Graphics.hpp"
#include "platform/graphics/Ticks.hpp"

namespace ambiscan::graphics {
namespace {

TEST(AxesLimits, AutomaticLimitsWidenToRoundTicks) {
    Graphics g;
    g.plot(Matrix::row({0.3, 9.2}), Matrix::row({-3.7, 41}));
    const auto lim = g.axis();
    EXPECT_DOUBLE_EQ(lim[0], 0);
    EXPECT_DOUBLE_EQ(lim[1], 10);
    EXPECT_DOUBLE_EQ(lim[2], -5);
    EXPECT_DOUBLE_EQ(lim[3], 45);
    const auto x = g.resolvedX(g.gca());
    EXPECT_EQ(x.ticks.front(), lim[0]);
    EXPECT_EQ(x.ticks.back(), lim[1]);
    EXPECT_EQ(x.labels.front(), "0");
}

TEST(AxesLimits, NaNPointsDoNotWidenTheAxes) {
    Graphics g;
    g.plot(Matrix::row({1, 2, NAN, 1000}), Matrix::row({1, 2, 3, NAN}));
    // Only (1, 1) and (2, 2) can be drawn.
    EXPECT_DOUBLE_EQ(g.axis()[1], 2);
    EXPECT_DOUBLE_EQ(g.axis()[3], 2);
}

TEST(AxesLimits, PointsWithAnInvalidPartnerDoNotWidenTheAxesWhereverTheyFall) {
    // Far-off values beside NaN and infinities, at even and odd places; the widest valid points
    // at an odd place and at the end of an odd count.
    Graphics all;
    all.plot(Matrix::row({5, 100, 3, -50, NAN, 7, INFINITY, 2, 9}),
             Matrix::row({1, INFINITY, 2, NAN, -1000, 20, 5, -3, 4}));
    Graphics valid;
    valid.plot(Matrix::row({5, 3, 7, 2, 9}), Matrix::row({1, 2, 20, -3, 4}));
    EXPECT_EQ(all.axis(), valid.axis());
    // Lines after the first widen what the first found.
    all.hold(true);
    all.plot(Matrix::row({1, -INFINITY, 30}), Matrix::row({NAN, 0, 10}));
    valid.hold(true);
    valid.plot(Matrix::row({30}), Matrix::row({10}));
    EXPECT_EQ(all.axis(), valid.axis());
}

TEST(AxesLimits, FixedLimitsStayAndTicksFallInside) {
    Graphics g;
    g.plot(Matrix::row({0, 1000}), Matrix::row({0, 1000}));
    g.axis({0, 500, 0, 100});
    EXPECT_EQ(g.axis(), (std::array<double, 4>{0, 500, 0, 100}));
    const auto y = g.resolvedY(g.gca());
    EXPECT_EQ(y.ticks.front(), 0);
    EXPECT_EQ(y.ticks.back(), 100);
    g.set(g.gca(), "ylim", Matrix::row({0.5, 7.5}));
    for (const double t : g.resolvedY(g.gca()).ticks) {
        EXPECT_GE(t, 0.5);
        EXPECT_LE(t, 7.5);
    }
}

TEST(AxesLimits, PatchVerticesCountAsData) {
    Graphics g;
    g.patch({{"faces", Matrix::row({1, 2, 3})},
             {"vertices", Matrix(3, 2, std::vector<double>{-0.2, 0.1, 0.19, 0, 7.5, 0})}});
    const auto lim = g.axis();
    EXPECT_LE(lim[0], -0.2);
    EXPECT_GE(lim[1], 0.19);
    EXPECT_EQ(lim[2], 0);
    EXPECT_GE(lim[3], 7.5);
}

TEST(AxesLimits, EmptyAxesAndSinglePointStillDrawable) {
    Graphics g;
    const auto empty = g.axis();
    EXPECT_LT(empty[0], empty[1]);
    g.plot(Matrix::row({5}), Matrix::row({5}), "o");
    const auto one = g.axis();
    EXPECT_LT(one[0], 5);
    EXPECT_GT(one[1], 5);
}

TEST(RoundTicks, StepsAreOneTwoOrFiveTimesAPowerOfTen) {
    for (const double span : {0.0034, 0.4, 7.0, 93.0, 1234.0, 86400.0}) {
        const TickSet t = roundTicks(0, span, true);
        const double mantissa = t.step / std::pow(10.0, std::floor(std::log10(t.step) + 1e-9));
        EXPECT_TRUE(std::abs(mantissa - 1) < 1e-6 || std::abs(mantissa - 2) < 1e-6 ||
                    std::abs(mantissa - 5) < 1e-6)
            << span;
        EXPECT_LE(t.ticks.size(), 12u);
        EXPECT_GE(t.ticks.size(), 4u);
    }
}

TEST(RoundTicks, LabelsCarryTheDecimalsOfTheStep) {
    EXPECT_EQ(tickLabel(0.15, 0.05), "0.15");
    EXPECT_EQ(tickLabel(-0.2, 0.05), "-0.20");
    EXPECT_EQ(tickLabel(300, 50), "300");
    EXPECT_EQ(tickLabel(-1e-17, 0.1), "0.0");
}

}  // namespace
}  // namespace ambiscan::graphics
