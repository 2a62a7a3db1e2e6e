#include "app/outputNames.hpp"
#include "app/refuseOutputOverInput.hpp"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/base/RuntimeError.hpp"

namespace ambiscan::app {
namespace {

TEST(LegendProblem, PlainLegendsNameFiles) {
    EXPECT_EQ(legendProblem("RxA", 255), "");
    EXPECT_EQ(legendProblem("V1.00", 255), "");
    EXPECT_EQ(legendProblem("...", 255), "");
    EXPECT_EQ(legendProblem("Rx A,\"b\"", 255), "");
}

TEST(LegendProblem, NamesThatLeaveTheFolderOrNameNothingAreRefused) {
    EXPECT_NE(legendProblem("", 255), "");
    EXPECT_NE(legendProblem(".", 255), "");
    EXPECT_NE(legendProblem("..", 255), "");
    EXPECT_NE(legendProblem("../up", 255), "");
    EXPECT_NE(legendProblem("/abs", 255), "");
    EXPECT_NE(legendProblem("sub/", 255), "");
    EXPECT_NE(legendProblem(std::string("a\0b", 3), 255), "");
}

TEST(LegendProblem, LongestFileNameWithTemporaryRoomMustFit) {
    std::size_t longestSuffix = 0;
    for (const std::string& suffix : dataSetFileSuffixes()) {
        longestSuffix = std::max(longestSuffix, suffix.size());
    }
    EXPECT_EQ(longestSuffix, std::string("_PosData_GoodOnly.png").size());
    const std::size_t room = 255 - longestSuffix - kTemporaryNameReserve;
    EXPECT_EQ(legendProblem(std::string(room, 'x'), 255), "");
    EXPECT_NE(legendProblem(std::string(room + 1, 'x'), 255), "");
    EXPECT_NE(legendProblem("x", longestSuffix + kTemporaryNameReserve), "");
}

TEST(CheckLegends, MessageNamesTheLegendAndTheReason) {
    try {
        checkLegendsNameFiles({"RxA", "a/b"}, ".");
        FAIL() << "a legend with a slash was accepted";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "The legend \"a/b\" cannot name the output files: it contains \"/\", which "
                  "would put the figures outside this folder.");
    }
}

TEST(CheckLegends, EqualLegendsAreRefusedAndDistinctOnesPass) {
    EXPECT_NO_THROW(checkLegendsNameFiles({"RxA", "RxB", "rxa", "RxA_", "A"}, "."));
    EXPECT_THROW(checkLegendsNameFiles({"RxA", "RxB", "RxA"}, "."), RuntimeError);
}

// The names an input is compared with: every file the run writes, in each format asked for.
TEST(RunOutputNames, EveryFigureInEachFormatAndTheTextFiles) {
    const std::vector<std::string> names =
        runOutputNames({".", {"A"}, {render::FigureFormat::Svg, render::FigureFormat::Png}, false});
    EXPECT_EQ(names.size(), 9u * 2 + 2);
    for (const char* name : {"InitTimeCDF.svg", "InitTimeCDF.png", "A_PosData_GoodOnly.svg",
                             "A_ENU_Hist.png", "stats.csv", "summary.json"}) {
        EXPECT_NE(std::find(names.begin(), names.end(), name), names.end()) << name;
    }
    EXPECT_EQ(std::find(names.begin(), names.end(), "report.html"), names.end());
}

// --decide draws one chart per gate and receiver: the first gate's `_Decision`, the second's
// `_Decision_p90`; none without it.
TEST(RunOutputNames, DecisionChartsPerGateWhenTheRunDecides) {
    const auto count = [](const std::vector<std::string>& names, const char* name) {
        return std::count(names.begin(), names.end(), name);
    };
    const std::vector<std::string> twoGates =
        runOutputNames({".", {"A", "B"}, {render::FigureFormat::Png}, true, 2});
    EXPECT_EQ(twoGates.size(), 3u + 2 * 8 + 3);
    for (const char* name :
         {"A_Decision.png", "A_Decision_p90.png", "B_Decision.png", "B_Decision_p90.png"}) {
        EXPECT_EQ(count(twoGates, name), 1) << name;
    }
    const std::vector<std::string> oneGate =
        runOutputNames({".", {"A"}, {render::FigureFormat::Svg}, true, 1});
    EXPECT_EQ(count(oneGate, "A_Decision.svg"), 1);
    EXPECT_EQ(count(oneGate, "A_Decision_p90.svg"), 0);
    const std::vector<std::string> undecided =
        runOutputNames({".", {"A"}, {render::FigureFormat::Png}, true});
    EXPECT_EQ(count(undecided, "A_Decision.png"), 0);
}

}  // namespace
}  // namespace ambiscan::app
