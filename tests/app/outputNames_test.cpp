#include "app/outputNames.hpp"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace ambiscan::app
