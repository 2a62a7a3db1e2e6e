// Whole runs of the built program on small files, with every expected text worked out by hand.
#include <gtest/gtest.h>

#include <set>

#include "support/RunProgram.hpp"

namespace ambiscan::testing {
namespace {

const char* const kHeader =
    "Test Title,Data set,Run Time (hour),Reliability [%],90% Init [Sec],Max Init [Sec],Mean. "
    "Init [Sec],Median Init [Sec],Num Inits,E-Mean [m],E-Sigma [m],N-Mean [m],N-Sigma [m],"
    "U-Mean [m],U-Sigma [m]\n";

// Four attempts of one receiver over 15 minutes; attempt 2 has a 0.3 m height error (bad),
// attempt 3 lies exactly on both limits (good).
const char* const kRoverInits =
    "345000 3    0.01  0.02  0.03\n"
    "345300 7.9  0.153 -0.021 0.3\n"
    "345600 8    0.12  0     -0.22\n"
    "345900 12.5 -0.01 0     0.05\n";

TEST(Run, OneReceiverStatisticsBadListAndFiles) {
    TempDir dir;
    writeFile(dir / "inits.txt", kRoverInits);
    const RunResult run = runProgram(dir.path(), {"T", "Rover"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "Rover: Bad Init List (Init Num / Time / dE / dN / dU)\n"
              "Init Num = 2 Time = 345300 dE = 0.15 dN = -0.02 dU = 0.30\n");
    // 90 %: the curve reaches 100 % at 12 s (12.5 s lies on the boundary of the 12 s bin).
    // Max 12.5 rounds to 13; median (7.9 + 8) / 2 = 7.95 floors to 7; the position
    // statistics are those of the three good attempts.
    EXPECT_EQ(readFile(dir / "stats.csv"),
              std::string(kHeader) +
                  "T,Rover,0.250000,75.000000,12.000000,13,7.850000,7,4,0.040000,0.070000,"
                  "0.006667,0.011547,-0.046667,0.150444\n");
    EXPECT_EQ(filesIn(dir.path()),
              (std::set<std::string>{"inits.txt", "stats.csv", "summary.json", "InitTimeCDF.png",
                                     "InitTimeDist.png", "InitTimeVTime.png", "Rover_PosData.png",
                                     "Rover_PosData_GoodOnly.png", "Rover_East_Hist.png",
                                     "Rover_North_Hist.png", "Rover_Height_Hist.png",
                                     "Rover_ENU_Hist.png", "report.html"}));
}

TEST(Run, NoBadInitsMeansNoListAndNoGoodOnlyFigure) {
    TempDir dir;
    writeFile(dir / "inits.txt", "100 10 0.01 0.01 0.01 200 20 -0.01 -0.01 -0.01\n");
    const RunResult run = runProgram(dir.path(), {"T", "A"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_FALSE(std::filesystem::exists(dir / "A_PosData_GoodOnly.png"));
    EXPECT_TRUE(std::filesystem::exists(dir / "A_PosData.png"));
}

TEST(Run, NeverReachingNinetyPercentWritesNaN) {
    TempDir dir;
    // Two of three attempts take longer than 500.5 s.
    writeFile(dir / "inits.txt",
              "0 10 0 0 0\n"
              "60 600 0 0 0\n"
              "120 700 0 0 0\n");
    const RunResult run = runProgram(dir.path(), {"T", "Slow"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(readFile(dir / "stats.csv"),
              std::string(kHeader) +
                  "T,Slow,0.033333,100.000000,NaN,700,436.666667,600,3,0.000000,0.000000,"
                  "0.000000,0.000000,0.000000,0.000000\n");
}

TEST(Run, TitleWithCommaOrQuoteIsQuotedInStatsCsv) {
    TempDir dir;
    writeFile(dir / "inits.txt", "100 10 0 0 0\n");
    const RunResult run = runProgram(dir.path(), {"Test, \"v2\"", "A"});
    EXPECT_EQ(run.status, 0) << run.err;
    const std::string csv = readFile(dir / "stats.csv");
    EXPECT_EQ(csv.substr(std::string(kHeader).size()),
              "\"Test, \"\"v2\"\"\",A,0.000000,100.000000,10.000000,10,10.000000,10,1,0.000000,"
              "0.000000,0.000000,0.000000,0.000000,0.000000\n");
}

TEST(Run, TwoReceiversGiveOneLinePerReceiverInLegendOrder) {
    TempDir dir;
    writeFile(dir / "inits.txt",
              "1000 10 20 0 0 0 0 0 0.5\n"
              "1100 30 40 0 0 0 0 0 0\n");
    const RunResult run = runProgram(dir.path(), {"Cmp", "A", "B"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "B: Bad Init List (Init Num / Time / dE / dN / dU)\n"
              "Init Num = 1 Time = 1000 dE = 0.00 dN = 0.00 dU = 0.50\n");
    const std::string csv = readFile(dir / "stats.csv");
    EXPECT_EQ(csv, std::string(kHeader) +
                       "Cmp,A,0.027778,100.000000,30.000000,30,20.000000,20,2,0.000000,0.000000,"
                       "0.000000,0.000000,0.000000,0.000000\n"
                       "Cmp,B,0.027778,50.000000,40.000000,40,30.000000,30,2,0.000000,0.000000,"
                       "0.000000,0.000000,0.000000,0.000000\n");
}

}  // namespace
}  // namespace ambiscan::testing
