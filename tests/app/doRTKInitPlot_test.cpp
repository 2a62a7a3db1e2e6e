#include "app/doRTKInitPlot.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "platform/base/RuntimeError.hpp"
#include "support/RunProgram.hpp"

namespace ambiscan::app {
namespace {

namespace fs = std::filesystem;

// Two receivers over 20 minutes crossing GPS midnight. RxA has two bad fixes (rows 2 and 3).
Matrix twoReceivers() {
    return Matrix(4, 9, {86000, 86300, 200, 800,  11,   14,   8,    9,    20,   600, 30,   26,
                         0.01,  0.15,  0,   0.03, 0.02, 0,    0,    0.02, 0.04, 0,   0.25, -0.02,
                         0,     0,     0,   0,    0.01, 0.01, 0.01, 0.01, 0,    0,   0,    0});
}

std::vector<std::string> filesIn(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST(RunOutputs, FiguresBadInitListAndStatsFileInTheOrderOfWork) {
    const testing::TempDir dir;
    std::ostringstream out, err;
    RunContext run{{out, err}, dir.path()};
    analysis::KeptFigures kept;
    run.keptFigures = &kept;
    const Matrix inits = twoReceivers();
    const analysis::RunResults results = doRTKInitPlot(run, inits, {"RxA", "RxB"}, "Trial");

    std::vector<std::string> order;
    for (const analysis::FigureFile& f : kept.take()) {
        order.push_back(f.fileName);
        // What is kept for the report are the bytes of the file.
        EXPECT_EQ(f.content, testing::readFile(dir.path() / f.fileName)) << f.fileName;
    }
    EXPECT_EQ(order, (std::vector<std::string>{
                         "InitTimeDist.png", "InitTimeVTime.png", "RxA_PosData.png",
                         "RxA_PosData_GoodOnly.png", "RxA_East_Hist.png", "RxA_North_Hist.png",
                         "RxA_Height_Hist.png", "RxA_ENU_Hist.png", "RxB_PosData.png",
                         "RxB_East_Hist.png", "RxB_North_Hist.png", "RxB_Height_Hist.png",
                         "RxB_ENU_Hist.png", "InitTimeCDF.png"}));
    std::vector<std::string> written = order;
    written.push_back("stats.csv");
    std::sort(written.begin(), written.end());
    EXPECT_EQ(filesIn(dir.path()), written);
    EXPECT_EQ(out.str(),
              "RxA: Bad Init List (Init Num / Time / dE / dN / dU)\n"
              "Init Num = 2 Time = 86300 dE = 0.15 dN = 0.00 dU = 0.00\n"
              "Init Num = 3 Time = 86600 dE = 0.00 dN = 0.00 dU = 0.25\n");
    EXPECT_EQ(err.str(), "");
    EXPECT_EQ(testing::readFile(dir.path() / "stats.csv").substr(0, 11), "Test Title,");
    EXPECT_EQ(results.dataSets[1].stats.InitMax, 600);
}

TEST(RunOutputs, ScattersAreKeptInLegendOrderAndWrittenNowhere) {
    const testing::TempDir dir;
    std::ostringstream out, err;
    RunContext run{{out, err}, dir.path()};
    run.showBadInitLists = false;
    analysis::KeptFigures scatters;
    run.keptScatters = &scatters;
    const Matrix inits = twoReceivers();
    doRTKInitPlot(run, inits, {"RxA", "RxB"}, "Trial");
    const std::vector<analysis::FigureFile> kept = scatters.take();
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_EQ(kept[0].fileName, "RxA");
    EXPECT_EQ(kept[1].fileName, "RxB");
    for (const analysis::FigureFile& f : kept) {
        EXPECT_EQ(f.content.substr(1, 3), "PNG");
        EXPECT_FALSE(fs::exists(dir.path() / f.fileName));
    }
    EXPECT_NE(kept[0].content, kept[1].content);
    EXPECT_EQ(out.str(), "");  // the lists are not wanted
    EXPECT_EQ(filesIn(dir.path()).size(), 15u);
}

TEST(RunOutputs, RecordsOutOfOrderWarnOnce) {
    const testing::TempDir dir;
    std::ostringstream out, err;
    RunContext run{{out, err}, dir.path()};
    const Matrix inits(3, 5, {50000, 60000, 24000, 5, 5, 5, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    doRTKInitPlot(run, inits, {"R"}, "T");
    EXPECT_EQ(err.str(),
              "Warning: inits.txt records are not in time order; the time axis runs from the "
              "earliest to the latest start time\n");
}

TEST(RunOutputs, RefusedRecordsStopBeforeAnyOutput) {
    const testing::TempDir dir;
    std::ostringstream out, err;
    RunContext run{{out, err}, dir.path()};
    EXPECT_THROW(doRTKInitPlot(run, Matrix(), {"RxA"}, "Trial"), RuntimeError);
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

// A figure that cannot be written stops the run: no stats.csv, and no console text of a later
// step.
TEST(RunOutputs, AFailedFigureStopsTheRunBeforeStatsFile) {
    const testing::TempDir dir;
    fs::create_directories(dir.path() / "RxA_PosData.png" / "in the way");
    std::ostringstream out, err;
    RunContext run{{out, err}, dir.path()};
    const Matrix inits = twoReceivers();
    EXPECT_THROW(doRTKInitPlot(run, inits, {"RxA", "RxB"}, "Trial"), RuntimeError);
    EXPECT_FALSE(fs::exists(dir.path() / "stats.csv"));
    EXPECT_TRUE(fs::exists(dir.path() / "InitTimeVTime.png"));
    EXPECT_EQ(out.str(), "");
}

}  // namespace
}  // namespace ambiscan::app
