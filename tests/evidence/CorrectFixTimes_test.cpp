#include "evidence/CorrectFixTimes.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "evidence/CurveSecond.hpp"

namespace ambiscan::evidence {
namespace {

Matrix tenTimes() {
    return Matrix::column({10, 20, 30, 40, 50, 60, 70, 80, 90, 100});
}

TEST(CorrectFixTimes, BadFixesCountAsNeverFixed) {
    const std::vector<bool> allGood(10, true);
    const CorrectFixTimes all = correctFixTimes(tenTimes(), allGood);
    EXPECT_EQ(all.p90, 90);  // 9 of 10 by 90 s
    EXPECT_EQ(all.within500Percent, 100);

    std::vector<bool> firstBad = allGood;
    firstBad[0] = false;  // the 10 s fix was wrong: 9 correct ones by 100 s
    const CorrectFixTimes one = correctFixTimes(tenTimes(), firstBad);
    EXPECT_EQ(one.p90, 100);
    EXPECT_EQ(one.within500Percent, 90);

    std::vector<bool> twoBad = firstBad;
    twoBad[9] = false;  // at most 80 %: never 90 % correct
    const CorrectFixTimes two = correctFixTimes(tenTimes(), twoBad);
    EXPECT_TRUE(std::isnan(two.p90));
    EXPECT_EQ(two.within500Percent, 80);

    const CorrectFixTimes none = correctFixTimes(tenTimes(), std::vector<bool>(10, false));
    EXPECT_TRUE(std::isnan(none.p90));
    EXPECT_EQ(none.within500Percent, 0);
}

TEST(CorrectFixTimes, BinsEndAtFiveHundredAndAHalfSecondsAsTheRunsCurve) {
    // 89.5 s lies on the boundary of the 89 s bin; 500.5 s is the last time that counts.
    const Matrix times =
        Matrix::column({89.5, 89.5, 89.5, 89.5, 89.5, 89.5, 89.5, 89.5, 89.5, 500.5});
    const CorrectFixTimes edge = correctFixTimes(times, std::vector<bool>(10, true));
    EXPECT_EQ(edge.p90, 89);
    EXPECT_EQ(edge.within500Percent, 100);
    const CorrectFixTimes late =
        correctFixTimes(Matrix::column({500.6, std::nan("")}), std::vector<bool>(2, true));
    EXPECT_TRUE(std::isnan(late.p90));
    EXPECT_EQ(late.within500Percent, 0);
}

constexpr double kInf = std::numeric_limits<double>::infinity();

// A correct fix is good and within 500.5 s, compared exactly: one ulp above is not.
TEST(TimeToCorrectFix, GoodAndWithinFiveHundredAndAHalfSecondsExactly) {
    EXPECT_EQ(timeToCorrectFix(12.5, true), 12.5);
    EXPECT_EQ(timeToCorrectFix(12.5, false), kInf);
    EXPECT_EQ(timeToCorrectFix(500.5, true), 500.5);
    EXPECT_EQ(timeToCorrectFix(std::nextafter(500.5, 1000.0), true), kInf);
    EXPECT_EQ(timeToCorrectFix(std::nan(""), true), kInf);
    EXPECT_EQ(timeToCorrectFix(kInf, true), kInf);
    EXPECT_EQ(timeToCorrectFix(-kInf, true), 0);  // fixed at once
    EXPECT_EQ(timeToCorrectFix(-kInf, false), kInf);
    EXPECT_EQ(timeToCorrectFix(-3, true), -3);
    const std::vector<double> t =
        timesToCorrectFix(Matrix::column({5, 600, 7}), {true, true, false});
    EXPECT_EQ(t, (std::vector<double>{5, kInf, kInf}));
}

// The curve's whole second: the smallest s in 0..500 with t <= s + 0.5.
TEST(CurveSecond, SmallestWholeSecondAtOrAboveTheTimeLessAHalf) {
    EXPECT_EQ(curveSecond(89.5), 89);
    EXPECT_EQ(curveSecond(std::nextafter(89.5, 100.0)), 90);
    EXPECT_EQ(curveSecond(30.4), 30);
    EXPECT_EQ(curveSecond(0.2), 0);
    EXPECT_EQ(curveSecond(-7), 0);
    EXPECT_EQ(curveSecond(-kInf), 0);
    EXPECT_EQ(curveSecond(500.5), 500);
    EXPECT_EQ(curveSecond(std::nextafter(500.5, 1000.0)), kInf);
    EXPECT_EQ(curveSecond(std::nan("")), kInf);
}

}  // namespace
}  // namespace ambiscan::evidence
