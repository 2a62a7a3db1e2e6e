#include <gtest/gtest.h>

#include <cmath>

#include "analysis/positionHistograms.hpp"
#include "figures/initTimeCdf.hpp"
#include "figures/positionErrors.hpp"
#include "figures/positionHistogram.hpp"

// The texts the figures carry: legends and titles, their fields and number formats.
namespace ambiscan::figures {
namespace {

TEST(CdfLegendLine, NumbersAreRightAlignedInTheirFields) {
    EXPECT_EQ(cdfLegendLine("V1.00", 5, 95, 120, 45.26, 40),
              "V1.00 90%=   95sec; Max=  120sec; Av= 45.3sec; Median=  40sec");
}

TEST(CdfLegendLine, ShortNamesArePaddedToMaxLength) {
    EXPECT_EQ(cdfLegendLine("A", 3, 9, 10, 5.5, 5.5),
              "A   90%=    9sec; Max=   10sec; Av=  5.5sec; Median=   6sec");
}

TEST(CdfLegendLine, NaNAndWideNumbersKeepTheirText) {
    EXPECT_EQ(cdfLegendLine("Rx", 2, std::nan(""), 123456, 1234.56, 12345),
              "Rx 90%=  NaNsec; Max=123456sec; Av=1234.6sec; Median=12345sec");
}

TEST(PositionTexts, TitleCountsAndReliability) {
    EXPECT_EQ(positionTitle("Rover", 40, 3, 92.5),
              "Rover; 37 Good Inits; 3 Bad Inits; Reliability = 92.500%");
    EXPECT_EQ(positionTitle("B", 12, 0, 100),
              "B; 12 Good Inits; 0 Bad Inits; Reliability = 100.000%");
}

TEST(PositionTexts, LegendLinesUpSig) {
    analysis::ErrorStatistics s;
    s.sigma = {0.0124, 0.5, std::nan("")};
    s.mean = {-0.0021, 0, 1.23456};
    EXPECT_EQ(positionLegend(s), (std::vector<std::string>{"East:   Sig=0.012m; Mean=-0.002m",
                                                           "North:  Sig=0.500m; Mean=0.000m",
                                                           "Height: Sig=NaNm; Mean=1.235m"}));
}

TEST(HistogramTitle, NumbersHaveTwoSignificantDigits) {
    EXPECT_EQ(histogramTitle("Rover", "East", 0.01234, 0.000314),
              "Rover: East - Sigma = 0.012m; Mean Error = 0.00031m");
}

TEST(FittedLimits, SpanTheNonEmptyBinsToTheMillimetre) {
    const Matrix edges = analysis::histogramEdges();
    Matrix counts(1, 81);
    EXPECT_FALSE(fittedLimits(counts, edges).has_value());
    counts[3] = 1;
    counts[80] = 2;
    const auto limits = fittedLimits(counts, edges);
    ASSERT_TRUE(limits.has_value());
    EXPECT_DOUBLE_EQ((*limits)[0], -0.185);
    EXPECT_DOUBLE_EQ((*limits)[1], 0.2);
}

}  // namespace
}  // namespace ambiscan::figures
