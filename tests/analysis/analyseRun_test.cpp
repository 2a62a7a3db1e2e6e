#include "analysis/analyseRun.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "analysis/statsCsv.hpp"
#include "platform/base/RuntimeError.hpp"
#include "support/Records.hpp"

namespace ambiscan::analysis {
namespace {

using ambiscan::testing::records;
using ambiscan::testing::twoReceivers;

TEST(AnalyseRun, ResultsAreHandedOnWithCorrectedTimesAndTheStatistics) {
    const Matrix inits = twoReceivers();
    const RunResults results = analyseRun(inits, {"RxA", "RxB"}, "T");
    EXPECT_EQ(results.title, "T");
    // 200 and 800 s are after GPS midnight: 86400 s later.
    EXPECT_EQ(results.startTimes.toVector(), (std::vector<double>{86000, 86300, 86600, 87200}));
    EXPECT_EQ(results.firstStart, 86000);
    EXPECT_EQ(results.lastStart, 87200);
    EXPECT_DOUBLE_EQ(results.hours, 1200.0 / 3600);
    ASSERT_EQ(results.dataSets.size(), 2u);
    const DataSetResults& b = results.dataSets[1];
    EXPECT_EQ(b.name, "RxB");
    EXPECT_EQ(b.times.toVector(), (std::vector<double>{20, 600, 30, 26}));
    EXPECT_EQ(results.dataSets[0].height[2], 0.25);
    EXPECT_EQ(b.north[0], 0.01);
    EXPECT_EQ(results.dataSets[0].stats.PercentGood, 50);
    EXPECT_EQ(b.stats.PercentGood, 100);
    EXPECT_EQ(b.stats.InitMax, 600);
}

TEST(AnalyseRun, TitleWithACommaIsQuotedInStatsFile) {
    const Matrix inits = records({{43200, 5, 0, 0, 0}});
    const std::string stats = statsCsv(analyseRun(inits, {"One"}, "Site 1, \"north\""));
    EXPECT_NE(stats.find("\n\"Site 1, \"\"north\"\"\",One,0.000000,100.000000,"), std::string::npos)
        << stats;
}

TEST(AnalyseRun, BadInitsAreListedWithCorrectedTimesForTheConsole) {
    const Matrix inits = twoReceivers();
    const RunResults results = analyseRun(inits, {"RxA", "RxB"}, "Trial");
    EXPECT_EQ(results.dataSets[0].badInitList,
              "RxA: Bad Init List (Init Num / Time / dE / dN / dU)\n"
              "Init Num = 2 Time = 86300 dE = 0.15 dN = 0.00 dU = 0.00\n"
              "Init Num = 3 Time = 86600 dE = 0.00 dN = 0.00 dU = 0.25\n");
    EXPECT_EQ(results.dataSets[0].badRows, (std::vector<std::size_t>{1, 2}));
    EXPECT_EQ(results.dataSets[1].badInitList, "");
}

TEST(AnalyseRun, StatsFileHasHeaderAndOneLinePerDataSet) {
    const Matrix inits = twoReceivers();
    EXPECT_EQ(statsCsv(analyseRun(inits, {"RxA", "RxB"}, "Trial")),
              "Test Title,Data set,Run Time (hour),Reliability [%],90% Init [Sec],"
              "Max Init [Sec],Mean. Init [Sec],Median Init [Sec],Num Inits,E-Mean [m],"
              "E-Sigma [m],N-Mean [m],N-Sigma [m],U-Mean [m],U-Sigma [m]\n"
              "Trial,RxA,0.333333,50.000000,14.000000,14,10.500000,10,4,0.020000,0.014142,"
              "0.020000,0.000000,0.010000,0.042426\n"
              "Trial,RxB,0.333333,100.000000,NaN,600,169.000000,28,4,0.000000,0.000000,"
              "0.010000,0.000000,0.000000,0.000000\n");
}

// The error statistics of a data set with bad fixes are those of its good fixes; the figure of
// all fixes keeps the statistics of all.
TEST(AnalyseRun, ErrorStatisticsOfGoodFixesAndOfAll) {
    const Matrix inits = twoReceivers();
    const RunResults results = analyseRun(inits, {"RxA", "RxB"}, "Trial");
    const DataSetResults& a = results.dataSets[0];
    EXPECT_DOUBLE_EQ(a.stats.InitEMean, 0.02);  // rows 1 and 4: 0.01 and 0.03
    EXPECT_DOUBLE_EQ(a.allErrors.mean[0], (0.01 + 0.15 + 0 + 0.03) / 4);
    EXPECT_EQ(a.CDF.numel(), 501u);
    EXPECT_EQ(results.TitleString, ":    4 inits; 0.3 Hours");
    EXPECT_EQ(results.MaxLength, 3u);
}

TEST(AnalyseRun, AllBadFixesGiveNaNErrorStatistics) {
    const Matrix inits = records({{43200, 5, 0.5, 0, 0}, {43500, 6, 0, 0, 0.3}});
    EXPECT_EQ(statsCsv(analyseRun(inits, {"Rov"}, "T")).substr(statsHeader().size()),
              "T,Rov,0.083333,0.000000,6.000000,6,5.500000,5,2,NaN,NaN,NaN,NaN,NaN,NaN\n");
}

TEST(AnalyseRun, RecordsOutOfOrderAreMarkedForTheWarning) {
    // A fall of 10 hours is no roll-over, so the last record starts before the first.
    const Matrix inits = records({{50000, 5, 0, 0, 0}, {60000, 5, 0, 0, 0}, {24000, 5, 0, 0, 0}});
    const RunResults results = analyseRun(inits, {"R"}, "T");
    EXPECT_TRUE(results.axis.outOfOrder);
    EXPECT_EQ(results.axis.xmin, 21600);
    EXPECT_EQ(results.axis.xmax, 64800);
}

TEST(AnalyseRun, EmptyRecordsOrNoLegendRaiseClearErrors) {
    try {
        analyseRun(Matrix(), {"RxA"}, "Trial");
        FAIL() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_STREQ(e.what(), "inits.txt holds no init records");
    }
    EXPECT_THROW(analyseRun(records({{1, 2, 3, 4, 5}}), {}, "T"), RuntimeError);
}

}  // namespace
}  // namespace ambiscan::analysis
