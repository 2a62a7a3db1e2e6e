#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "analysis/analyseRun.hpp"
#include "figures/enuHistogram.hpp"
#include "figures/initTimeCdf.hpp"
#include "figures/initTimeDistribution.hpp"
#include "figures/positionErrors.hpp"
#include "figures/positionHistogram.hpp"
#include "figures/timeOfDay.hpp"
#include "support/Records.hpp"

// Each figure of a run as the model holds it, built from the run's results.
namespace ambiscan::figures {
namespace {

using ambiscan::testing::records;
using ambiscan::testing::twoReceivers;

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

Snapshot snapshot(graphics::Graphics g, const std::string& file) {
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

class RunFigures : public ::testing::Test {
  protected:
    void run(const Matrix& given, const CellRow& names, const std::string& title) {
        inits = given;
        results = analysis::analyseRun(inits, names, title);
        shots.clear();
        shots.push_back(snapshot(initTimeDistribution(results), "InitTimeDist.png"));
        shots.push_back(snapshot(timeOfDay(results), "InitTimeVTime.png"));
        for (std::size_t k = 0; k < results.dataSets.size(); ++k) {
            const std::string& name = results.dataSets[k].name;
            shots.push_back(snapshot(positionErrors(results, k), name + "_PosData.png"));
            if (!results.dataSets[k].badRows.empty()) {
                shots.push_back(
                    snapshot(positionErrorsGoodOnly(results, k), name + "_PosData_GoodOnly.png"));
            }
            for (std::size_t a = 0; a < 3; ++a) {
                shots.push_back(snapshot(positionHistogram(results, k, a),
                                         name + "_" + kAxisNames[a] + "_Hist.png"));
            }
            shots.push_back(snapshot(enuHistogram(results, k), name + "_ENU_Hist.png"));
        }
        shots.push_back(snapshot(initTimeCdf(results), "InitTimeCDF.png"));
    }

    const Snapshot& shot(const std::string& file) const {
        for (const Snapshot& s : shots) {
            if (s.file == file) {
                return s;
            }
        }
        throw std::runtime_error("no figure drawn for " + file);
    }

    Matrix inits;
    analysis::RunResults results;
    std::vector<Snapshot> shots;
};

TEST_F(RunFigures, CumulativeFigureCarriesLegendColumnsAndSummaryText) {
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

TEST_F(RunFigures, DistributionShowsPercentagesInFiveSecondBins) {
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

TEST_F(RunFigures, TimeOfDayFigureIsLabelledInGpsTime) {
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

TEST_F(RunFigures, PositionFiguresShowAllThenGoodInits) {
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

TEST_F(RunFigures, HistogramsAreTitledWithTheGoodInitStatistics) {
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

TEST_F(RunFigures, AllBadFixesGiveAnEmptyGoodOnlyFigureAndNaNStatistics) {
    run(records({{43200, 5, 0.5, 0, 0}, {43500, 6, 0, 0, 0.3}}), {"Rov"}, "T");
    const Snapshot& good = shot("Rov_PosData_GoodOnly.png");
    EXPECT_EQ(good.title, "Good Inits. only: Rov; 0 Good Inits; 2 Bad Inits; Reliability = 0.000%");
    EXPECT_EQ(good.legend[0], "East:   Sig=NaNm; Mean=NaNm");
    EXPECT_EQ(shot("Rov_East_Hist.png").title, "Rov: East - Sigma = NaNm; Mean Error = NaNm");
    EXPECT_TRUE(std::isnan(results.dataSets[0].stats.InitEMean));
}

TEST_F(RunFigures, ASingleAttemptOnABoundaryGetsAOneStepAxis) {
    run(records({{43200, 5, 0, 0, 0}}), {"One"}, "T");
    const Snapshot& tod = shot("InitTimeVTime.png");
    EXPECT_EQ(tod.limits[0], 43200);
    EXPECT_EQ(tod.limits[1], 54000);
    EXPECT_EQ(shot("InitTimeCDF.png").title, "T:    1 inits; 0.0 Hours");
}

TEST_F(RunFigures, RecordsOutOfOrderWarnAndSpanEarliestToLatest) {
    // A fall of 10 hours is no roll-over, so the last record starts before the first.
    run(records({{50000, 5, 0, 0, 0}, {60000, 5, 0, 0, 0}, {24000, 5, 0, 0, 0}}), {"R"}, "T");
    EXPECT_TRUE(results.axis.outOfOrder);
    const Snapshot& tod = shot("InitTimeVTime.png");
    EXPECT_EQ(tod.limits[0], 21600);
    EXPECT_EQ(tod.limits[1], 64800);
}

}  // namespace
}  // namespace ambiscan::figures
