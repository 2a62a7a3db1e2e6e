#include "platform/numeric/Format.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace ambiscan {
namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

TEST(Num2str, WholeNumbersPrintWithoutDecimalPoint) {
    EXPECT_EQ(num2str(17), "17");
    EXPECT_EQ(num2str(345600), "345600");
    EXPECT_EQ(num2str(-3), "-3");
    EXPECT_EQ(num2str(-0.0), "0");
    EXPECT_EQ(num2str(1e20), "100000000000000000000");
}

TEST(Num2str, FractionsKeepFourDecimalsBeyondTheIntegerPart) {
    EXPECT_EQ(num2str(345600.5), "345600.5");
    EXPECT_EQ(num2str(0.123456), "0.12346");
    EXPECT_EQ(num2str(3.14159265), "3.1416");
    EXPECT_EQ(num2str(123456.789), "123456.789");
}

TEST(Num2str, NonFiniteValuesHaveNames) {
    EXPECT_EQ(num2str(kNaN), "NaN");
    EXPECT_EQ(num2str(kInf), "Inf");
    EXPECT_EQ(num2str(-kInf), "-Inf");
    EXPECT_EQ(num2str(kNaN, 2), "NaN");
}

TEST(Num2str, PrecisionGivesSignificantDigits) {
    EXPECT_EQ(num2str(0.01234, 2), "0.012");
    EXPECT_EQ(num2str(0.000314, 2), "0.00031");
    EXPECT_EQ(num2str(0.05, 2), "0.05");
}

TEST(FormatText, ConvertsTheCommonConversions) {
    EXPECT_EQ(formatText("%.3f", {Matrix::scalar(92.5)}), "92.500");
    EXPECT_EQ(formatText("%4d", {Matrix::scalar(57)}), "  57");
    EXPECT_EQ(formatText("%4d", {Matrix::scalar(12345)}), "12345");
    EXPECT_EQ(formatText("%.1f", {Matrix::scalar(3.25)}), "3.2");
    EXPECT_EQ(formatText("%f", {Matrix::scalar(1.0 / 3)}), "0.333333");
    EXPECT_EQ(formatText("%.2f", {Matrix::scalar(-0.021)}), "-0.02");
    EXPECT_EQ(formatText("%s,%s", {std::string("a"), std::string("b")}), "a,b");
}

TEST(FormatText, NegativeZeroKeepsItsSignWherePrintfShowsIt) {
    // C's printf: "%.2f" of -0.0 is "-0.00", "%e" "-0.000000e+00"; an integer has no -0.
    EXPECT_EQ(formatText("%.2f", {Matrix::scalar(-0.0)}), "-0.00");
    EXPECT_EQ(formatText("%e", {Matrix::scalar(-0.0)}), "-0.000000e+00");
    EXPECT_EQ(formatText("%d", {Matrix::scalar(-0.0)}), "0");
    EXPECT_EQ(formatText("%.2f", {Matrix::scalar(0.0)}), "0.00");
}

TEST(FormatText, PercentAndLineEndEscapes) {
    EXPECT_EQ(formatText("Reliability [%%]\\n"), "Reliability [%]\n");
    EXPECT_EQ(formatText("a\nb"), "a\nb");
}

TEST(FormatText, NonFiniteValuesPrintAsNames) {
    EXPECT_EQ(formatText("%f", {Matrix::scalar(kNaN)}), "NaN");
    EXPECT_EQ(formatText("%d", {Matrix::scalar(-kInf)}), "-Inf");
    EXPECT_EQ(formatText("%5.1f|", {Matrix::scalar(kInf)}), "  Inf|");
}

TEST(FormatText, WholeNumberOnlyUnderIntegerConversion) {
    EXPECT_EQ(formatText("%d", {Matrix::scalar(13)}), "13");
    EXPECT_EQ(formatText("%d", {Matrix::scalar(12.5)}), "1.250000e+01");
    EXPECT_EQ(formatText("%d", {Matrix::scalar(1e19)}), "10000000000000000000");
}

TEST(FormatText, FormatIsReusedWhileValuesRemain) {
    EXPECT_EQ(formatText("%.0f|", {Matrix::row({0, 100, 200})}), "0|100|200|");
    // Output ends before the first conversion that has no value left.
    EXPECT_EQ(formatText("%d and %d;", {Matrix::row({1, 2, 3})}), "1 and 2;3 and ");
    EXPECT_EQ(formatText("x=%d"), "x=");
}

TEST(FormatText, ZeroPaddedFields) {
    EXPECT_EQ(formatText("Day%d  %02d:%02d", {Matrix::row({4, 0, 5})}), "Day4  00:05");
}

}  // namespace
}  // namespace ambiscan
