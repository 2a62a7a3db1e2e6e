#include "analysis/statsCsv.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace ambiscan::analysis {
namespace {

DataSetStatistics rover() {
    DataSetStatistics s;
    s.name = "Rover";
    s.InitHours = 3.25;
    s.PercentGood = 92.5;
    s.Init90 = 12;
    s.InitMax = 12.5;
    s.InitAv = 8.125;
    s.InitMedian = 7.9;
    s.InitNum = 40;
    s.InitEMean = 0.001;
    s.InitESigma = 0.0125;
    s.InitNMean = -0.002;
    s.InitNSigma = 0.01;
    s.InitUMean = 0.0035;
    s.InitUSigma = 0.03;
    return s;
}

TEST(StatsFile, HeaderHasFifteenColumnNames) {
    EXPECT_EQ(statsHeader(),
              "Test Title,Data set,Run Time (hour),Reliability [%],90% Init [Sec],"
              "Max Init [Sec],Mean. Init [Sec],Median Init [Sec],Num Inits,E-Mean [m],"
              "E-Sigma [m],N-Mean [m],N-Sigma [m],U-Mean [m],U-Sigma [m]\n");
}

TEST(StatsFile, MaxIsRoundedAndMedianRoundedDown) {
    EXPECT_EQ(statsLine("Trial", rover()),
              "Trial,Rover,3.250000,92.500000,12.000000,13,8.125000,7,40,0.001000,0.012500,"
              "-0.002000,0.010000,0.003500,0.030000\n");
}

TEST(StatsFile, NaNIsWrittenAsNaN) {
    DataSetStatistics s = rover();
    s.Init90 = std::nan("");
    s.InitEMean = std::nan("");
    EXPECT_EQ(statsLine("T", s),
              "T,Rover,3.250000,92.500000,NaN,13,8.125000,7,40,NaN,0.012500,"
              "-0.002000,0.010000,0.003500,0.030000\n");
}

TEST(StatsFile, TextsWithCommaQuoteOrLineEndAreQuoted) {
    EXPECT_EQ(csvField("plain title"), "plain title");
    EXPECT_EQ(csvField("a,b"), "\"a,b\"");
    EXPECT_EQ(csvField("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(csvField("two\nlines"), "\"two\nlines\"");
    EXPECT_EQ(csvField("cr\r"), "\"cr\r\"");
    const std::string line = statsLine("Site 1, day 2", rover());
    EXPECT_EQ(line.rfind("\"Site 1, day 2\",Rover,3.250000,", 0), 0u);
}

}  // namespace
}  // namespace ambiscan::analysis
