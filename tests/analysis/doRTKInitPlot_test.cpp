#include "analysis/doRTKInitPlot.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/RunResults.hpp"
#include "platform/runtime/RuntimeError.hpp"

namespace ambiscan::analysis {
namespace {

namespace fs = std::filesystem;
using graphics::Handle;

struct LineData {
    std::vector<double> x, y;
    graphics::Rgb color;
    std::string marker, lineStyle;
};

// What a figure showed at the moment it was printed.
struct Snapshot {
    std::string file;
    std::string title, xlabel, ylabel, titleInterpreter;
    std::vector<std::string> legend;
    std::string legendFont;
    double legendSize = 0;
    int legendLocation = 0;
    std::array<double, 4> limits{};
    std::vector<std::string> xtickLabels;
    bool xgrid = false;
    std::vector<LineData> lines;  // in drawing order
    std::size_t patches = 0;
    std::vector<std::vector<std::string>> texts;  // free texts, with their position below
    std::vector<std::array<double, 2>> textPositions;
};

Snapshot snapshot(graphics::Graphics& g, const std::string& file) {
    Snapshot s;
    s.file = file;
    const Handle fig = g.gcf();
    const Handle ax = g.gca();
    const auto& axes = g.as<graphics::AxesObject>(ax);
    const auto joined = [&](Handle h) {
        std::string text;
        for (const auto& line : g.as<graphics::TextObject>(h).lines) {
            text += (text.empty() ? "" : "\n") + line;
        }
        return text;
    };
    s.title = joined(axes.title);
    s.titleInterpreter = g.as<graphics::TextObject>(axes.title).interpreter;
    s.xlabel = joined(axes.xlabel);
    s.ylabel = joined(axes.ylabel);
    s.limits = g.axis();
    s.xtickLabels = g.as<graphics::AxesObject>(ax).xtickLabel;
    s.xgrid = axes.xgrid;
    for (const Handle h : g.object(fig).children) {
        if (const auto* legend = std::get_if<graphics::LegendObject>(&g.object(h).data)) {
            s.legend = legend->texts;
            s.legendFont = legend->fontName;
            s.legendSize = legend->fontSize;
            s.legendLocation = legend->location;
        }
    }
    const auto& children = g.object(ax).children;
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        const auto& data = g.object(*it).data;
        if (const auto* line = std::get_if<graphics::LineObject>(&data)) {
            s.lines.push_back({line->xdata.toVector(), line->ydata.toVector(), line->color,
                               line->marker, line->lineStyle});
        } else if (std::holds_alternative<graphics::PatchObject>(data)) {
            ++s.patches;
        } else if (const auto* text = std::get_if<graphics::TextObject>(&data)) {
            s.texts.push_back(text->lines);
            s.textPositions.push_back({text->x, text->y});
        }
    }
    return s;
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Builds the results matrix from records of 1 + 4N numbers.
Matrix records(const std::vector<std::vector<double>>& rows) {
    Matrix m(rows.size(), rows.front().size());
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            m(r, c) = rows[r][c];
        }
    }
    return m;
}

class AnalysisRun : public testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              (std::string("ambiscan_analysis_") +
               testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    void run(const Matrix& inits, const CellRow& names, const std::string& title) {
        RunContext context{graphics, Console{out, err}, dir};
        context.results = &results;
        context.beforePrint = [this](graphics::Graphics& g, const std::string& file) {
            shots.push_back(snapshot(g, file));
        };
        doRTKInitPlot(context, inits, static_cast<double>(names.size()), names, title);
    }

    const Snapshot& shot(const std::string& file) const {
        const auto it = std::find_if(shots.begin(), shots.end(),
                                     [&](const Snapshot& s) { return s.file == file; });
        if (it == shots.end()) {
            throw std::runtime_error("no figure printed to " + file);
        }
        return *it;
    }

    std::vector<std::string> files() const {
        std::vector<std::string> names;
        for (const auto& s : shots) {
            names.push_back(s.file);
        }
        return names;
    }

    fs::path dir;
    graphics::Graphics graphics;
    std::ostringstream out, err;
    std::vector<Snapshot> shots;
    RunResults results;
};

// Two receivers over 20 minutes crossing GPS midnight. RxA has two bad fixes (rows 2 and 3),
// RxB none; one RxB attempt took 600 s.
Matrix twoReceivers() {
    return records({
        {86000, 11, 20, 0.01, 0.02, 0.04, 0, 0.01, 0},
        {86300, 14, 600, 0.15, 0, 0, 0, 0.01, 0},
        {200, 8, 30, 0, 0, 0.25, 0, 0.01, 0},
        {800, 9, 26, 0.03, 0.02, -0.02, 0, 0.01, 0},
    });
}

TEST_F(AnalysisRun, ResultsAreHandedOnWithCorrectedTimesAndTheStatistics) {
    const Matrix inits = twoReceivers();
    run(inits, {"RxA", "RxB"}, "T");
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

TEST_F(AnalysisRun, FiguresArePrintedInTheOrderOfWork) {
    run(twoReceivers(), {"RxA", "RxB"}, "Trial");
    EXPECT_EQ(files(), (std::vector<std::string>{
                           "InitTimeDist.png", "InitTimeVTime.png", "RxA_PosData.png",
                           "RxA_PosData_GoodOnly.png", "RxA_East_Hist.png", "RxA_North_Hist.png",
                           "RxA_Height_Hist.png", "RxA_ENU_Hist.png", "RxB_PosData.png",
                           "RxB_East_Hist.png", "RxB_North_Hist.png", "RxB_Height_Hist.png",
                           "RxB_ENU_Hist.png", "InitTimeCDF.png"}));
    for (const auto& file : files()) {
        EXPECT_TRUE(fs::exists(dir / file)) << file;
    }
    EXPECT_FALSE(graphics.hasCurrentFigure());
}

TEST_F(AnalysisRun, BadInitsAreListedOnTheConsoleWithCorrectedTimes) {
    run(twoReceivers(), {"RxA", "RxB"}, "Trial");
    EXPECT_EQ(out.str(),
              "RxA: Bad Init List (Init Num / Time / dE / dN / dU)\n"
              "Init Num = 2 Time = 86300 dE = 0.15 dN = 0.00 dU = 0.00\n"
              "Init Num = 3 Time = 86600 dE = 0.00 dN = 0.00 dU = 0.25\n");
    EXPECT_EQ(err.str(), "");
}

TEST_F(AnalysisRun, StatsFileHasHeaderAndOneLinePerDataSet) {
    run(twoReceivers(), {"RxA", "RxB"}, "Trial");
    EXPECT_EQ(readFile(dir / "stats.csv"),
              "Test Title,Data set,Run Time (hour),Reliability [%],90% Init [Sec],"
              "Max Init [Sec],Mean. Init [Sec],Median Init [Sec],Num Inits,E-Mean [m],"
              "E-Sigma [m],N-Mean [m],N-Sigma [m],U-Mean [m],U-Sigma [m]\n"
              "Trial,RxA,0.333333,50.000000,14.000000,14,10.500000,10,4,0.020000,0.014142,"
              "0.020000,0.000000,0.010000,0.042426\n"
              "Trial,RxB,0.333333,100.000000,NaN,600,169.000000,28,4,0.000000,0.000000,"
              "0.010000,0.000000,0.000000,0.000000\n");
}

TEST_F(AnalysisRun, CumulativeFigureCarriesLegendColumnsAndSummaryText) {
    run(twoReceivers(), {"RxA", "RxB"}, "Trial");
    const Snapshot& cdf = shot("InitTimeCDF.png");
    EXPECT_EQ(cdf.title, "Trial:    4 inits; 0.3 Hours");
    EXPECT_EQ(cdf.titleInterpreter, "none");
    EXPECT_EQ(cdf.xlabel, "Satellite Acquisition + RTK Initialization Time [Seconds]");
    EXPECT_EQ(cdf.ylabel, "Cumulative Percentage");
    EXPECT_EQ(cdf.legend, (std::vector<std::string>{
                              "RxB 90%=  NaNsec; Max=  600sec; Av=169.0sec; Median=  28sec",
                              "RxA 90%=   14sec; Max=   14sec; Av= 10.5sec; Median=  10sec"}));
    EXPECT_EQ(cdf.legendFont, "courier");
    EXPECT_EQ(cdf.legendSize, 8);
    EXPECT_EQ(cdf.legendLocation, 4);
    EXPECT_EQ(cdf.limits, (std::array<double, 4>{0, 500, 0, 100}));
    ASSERT_EQ(cdf.lines.size(), 2u);
    EXPECT_EQ(cdf.lines[0].color, (graphics::Rgb{0, 0, 1}));
    EXPECT_EQ(cdf.lines[1].color, (graphics::Rgb{1, 0, 0}));
    EXPECT_EQ(cdf.lines[0].marker, "x");
    ASSERT_EQ(cdf.lines[0].y.size(), 501u);
    EXPECT_EQ(cdf.lines[0].y[13], 75);
    EXPECT_EQ(cdf.lines[0].y[14], 100);
    EXPECT_EQ(cdf.lines[1].y[500], 75);
    ASSERT_EQ(cdf.texts.size(), 1u);
    EXPECT_EQ(cdf.texts[0], (std::vector<std::string>{
                                "RxA:  Rel. = 50.000%; East Sig = 0.014m; North Sig = 0.000m; "
                                "Height Sig = 0.042m; ",
                                "RxB:  Rel. = 100.000%; East Sig = 0.000m; North Sig = 0.000m; "
                                "Height Sig = 0.000m; "}));
    EXPECT_EQ(cdf.textPositions[0], (std::array<double, 2>{30, 25}));
}

TEST_F(AnalysisRun, DistributionShowsPercentagesInFiveSecondBins) {
    run(twoReceivers(), {"RxA", "RxB"}, "Trial");
    const Snapshot& dist = shot("InitTimeDist.png");
    EXPECT_EQ(dist.legend, (std::vector<std::string>{"RxB: 5 Second bins", "RxA: 5 Second bins"}));
    EXPECT_EQ(dist.title, "Trial:    4 inits; 0.3 Hours");
    EXPECT_EQ(dist.ylabel, "Percentage");
    EXPECT_TRUE(dist.xgrid);
    ASSERT_EQ(dist.lines.size(), 2u);
    ASSERT_EQ(dist.lines[0].y.size(), 101u);
    EXPECT_EQ(dist.lines[0].x[100], 500);
    EXPECT_EQ(dist.lines[0].y[2], 75);  // 8, 9 and 11 s
    EXPECT_EQ(dist.lines[0].y[3], 25);  // 14 s
}

TEST_F(AnalysisRun, TimeOfDayFigureIsLabelledInGpsTime) {
    run(twoReceivers(), {"RxA", "RxB"}, "Trial");
    const Snapshot& tod = shot("InitTimeVTime.png");
    EXPECT_EQ(tod.limits[0], 75600);
    EXPECT_EQ(tod.limits[1], 97200);
    EXPECT_EQ(tod.xtickLabels, (std::vector<std::string>{"Day0  21:00", "00:00", "03:00"}));
    EXPECT_EQ(tod.legend, (std::vector<std::string>{"RxA", "RxB"}));
    EXPECT_EQ(tod.xlabel, "Time of initialization attempt start [GPS Time HH:MM]");
    EXPECT_EQ(tod.ylabel, "Time taken to Initialize [Seconds]");
    ASSERT_GE(tod.lines.size(), 1u);
    EXPECT_EQ(tod.lines[0].marker, "o");
    EXPECT_EQ(tod.lines[0].x, (std::vector<double>{86000, 86300, 86600, 87200}));
}

TEST_F(AnalysisRun, PositionFiguresShowAllThenGoodInits) {
    run(twoReceivers(), {"RxA", "RxB"}, "Trial");
    const Snapshot& all = shot("RxA_PosData.png");
    EXPECT_EQ(all.title, "RxA; 2 Good Inits; 2 Bad Inits; Reliability = 50.000%");
    EXPECT_EQ(all.ylabel, "Position Error [metres]");
    EXPECT_EQ(all.limits[0], 75600);
    EXPECT_EQ(all.limits[1], 97200);
    ASSERT_EQ(all.lines.size(), 3u);
    EXPECT_EQ(all.lines[0].y, (std::vector<double>{0.01, 0.15, 0, 0.03}));
    EXPECT_EQ(all.lines[1].color, (graphics::Rgb{0, 1, 0}));

    const Snapshot& good = shot("RxA_PosData_GoodOnly.png");
    EXPECT_EQ(good.title,
              "Good Inits. only: RxA; 2 Good Inits; 2 Bad Inits; Reliability = 50.000%");
    EXPECT_EQ(good.legend, (std::vector<std::string>{"East:   Sig=0.014m; Mean=0.020m",
                                                     "North:  Sig=0.000m; Mean=0.020m",
                                                     "Height: Sig=0.042m; Mean=0.010m"}));
    ASSERT_EQ(good.lines.size(), 3u);
    EXPECT_EQ(good.lines[2].x, (std::vector<double>{86000, 87200}));

    EXPECT_EQ(shot("RxB_PosData.png").title,
              "RxB; 4 Good Inits; 0 Bad Inits; Reliability = 100.000%");
}

TEST_F(AnalysisRun, HistogramsAreTitledWithTheGoodInitStatistics) {
    run(twoReceivers(), {"RxA", "RxB"}, "Trial");
    const Snapshot& east = shot("RxA_East_Hist.png");
    EXPECT_EQ(east.title, "RxA: East - Sigma = 0.014m; Mean Error = 0.02m");
    EXPECT_EQ(east.xlabel, "East Position Error [m]");
    EXPECT_EQ(east.ylabel, "Number of Epochs [%]");
    EXPECT_EQ(east.patches, 1u);
    EXPECT_TRUE(east.xgrid);
    EXPECT_EQ(shot("RxA_North_Hist.png").title, "RxA: North - Sigma = 0m; Mean Error = 0.02m");

    const Snapshot& enu = shot("RxA_ENU_Hist.png");
    EXPECT_EQ(enu.patches, 3u);
    EXPECT_EQ(enu.legend,
              (std::vector<std::string>{"RxA: East - Sigma = 0.014m; Mean Error = 0.02m",
                                        "RxA: North - Sigma = 0m; Mean Error = 0.02m",
                                        "RxA: Height - Sigma = 0.042m; Mean Error = 0.01m"}));
    EXPECT_EQ(enu.title, "Trial:    4 inits; 0.3 Hours");
    EXPECT_EQ(enu.xlabel, "East/North/Height Position Error [m]");
}

TEST_F(AnalysisRun, EmptyResultsStopBeforeAnyOutput) {
    try {
        run(Matrix(), {"RxA"}, "Trial");
        FAIL() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_STREQ(e.what(), "inits.txt holds no init records");
    }
    EXPECT_TRUE(fs::is_empty(dir));
}

TEST_F(AnalysisRun, AllBadFixesGiveAnEmptyGoodOnlyFigureAndNaNStatistics) {
    run(records({{43200, 5, 0.5, 0, 0}, {43500, 6, 0, 0, 0.3}}), {"Rov"}, "T");
    const Snapshot& good = shot("Rov_PosData_GoodOnly.png");
    EXPECT_EQ(good.title, "Good Inits. only: Rov; 0 Good Inits; 2 Bad Inits; Reliability = 0.000%");
    EXPECT_EQ(good.legend[0], "East:   Sig=NaNm; Mean=NaNm");
    EXPECT_EQ(shot("Rov_East_Hist.png").title, "Rov: East - Sigma = NaNm; Mean Error = NaNm");
    EXPECT_EQ(readFile(dir / "stats.csv").substr(readFile(dir / "stats.csv").find("\nT,") + 1),
              "T,Rov,0.083333,0.000000,6.000000,6,5.500000,5,2,NaN,NaN,NaN,NaN,NaN,NaN\n");
}

TEST_F(AnalysisRun, ASingleAttemptOnABoundaryGetsAOneStepAxis) {
    run(records({{43200, 5, 0, 0, 0}}), {"One"}, "T");
    const Snapshot& tod = shot("InitTimeVTime.png");
    EXPECT_EQ(tod.limits[0], 43200);
    EXPECT_EQ(tod.limits[1], 54000);
    EXPECT_EQ(shot("InitTimeCDF.png").title, "T:    1 inits; 0.0 Hours");
}

TEST_F(AnalysisRun, RecordsOutOfOrderWarnAndSpanEarliestToLatest) {
    // A fall of 10 hours is no roll-over, so the last record starts before the first.
    run(records({{50000, 5, 0, 0, 0}, {60000, 5, 0, 0, 0}, {24000, 5, 0, 0, 0}}), {"R"}, "T");
    EXPECT_NE(err.str().find("not in time order"), std::string::npos) << err.str();
    const Snapshot& tod = shot("InitTimeVTime.png");
    EXPECT_EQ(tod.limits[0], 21600);
    EXPECT_EQ(tod.limits[1], 64800);
}

TEST_F(AnalysisRun, TitleWithACommaIsQuotedInStatsFile) {
    run(records({{43200, 5, 0, 0, 0}}), {"One"}, "Site 1, \"north\"");
    const std::string stats = readFile(dir / "stats.csv");
    EXPECT_NE(stats.find("\n\"Site 1, \"\"north\"\"\",One,0.000000,100.000000,"), std::string::npos)
        << stats;
}

}  // namespace
}  // namespace ambiscan::analysis
