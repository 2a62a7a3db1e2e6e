#include "analysis/setup.hpp"

#include <gtest/gtest.h>

#include <vector>

#include "platform/base/RuntimeError.hpp"

namespace ambiscan::analysis {
namespace {

using Times = std::vector<double>;

TEST(RollOver, DayEndShiftsItsRowAndEveryLaterRow) {
    EXPECT_EQ(correctRollOvers({86000, 86300, 200, 500}), (Times{86000, 86300, 86600, 86900}));
}

TEST(RollOver, WeekEndAddsAWeek) {
    EXPECT_EQ(correctRollOvers({604700, 100}), (Times{604700, 604900}));
}

TEST(RollOver, FallsExactlyOnTheBoundsAreNotRollOvers) {
    for (const double fall : {43200.0, 129600.0, 518400.0, 691200.0}) {
        const Times times{1000000, 1000000 - fall};
        EXPECT_EQ(correctRollOvers(times), times) << "fall " << fall;
    }
}

TEST(RollOver, FallsJustInsideTheWindowsAreCorrected) {
    EXPECT_EQ(correctRollOvers({1000000, 1000000 - 43201}),
              (Times{1000000, 1000000 - 43201 + 86400}));
    EXPECT_EQ(correctRollOvers({1000000, 1000000 - 129599}),
              (Times{1000000, 1000000 - 129599 + 86400}));
    EXPECT_EQ(correctRollOvers({1000000, 1000000 - 518401}),
              (Times{1000000, 1000000 - 518401 + 604800}));
    EXPECT_EQ(correctRollOvers({1000000, 1000000 - 691199}),
              (Times{1000000, 1000000 - 691199 + 604800}));
}

TEST(RollOver, FallsOutsideBothWindowsChangeNothing) {
    const Times threeAndAHalfDays{400000, 100000};
    EXPECT_EQ(correctRollOvers(threeAndAHalfDays), threeAndAHalfDays);
    const Times small{5000, 4000, 3000};
    EXPECT_EQ(correctRollOvers(small), small);
}

TEST(RollOver, TwoDayEndsShiftLaterRowsByTwoDays) {
    EXPECT_EQ(correctRollOvers({86000, 100, 86200, 300}), (Times{86000, 86500, 172600, 173100}));
}

TEST(RollOver, FirstRowIsNeverChanged) {
    EXPECT_EQ(correctRollOvers({5}), (Times{5}));
    EXPECT_EQ(correctRollOvers({}), Times{});
}

TEST(TitleSuffix, CountIsRightAlignedInFourAndHoursHaveOneDecimal) {
    EXPECT_EQ(titleSuffix(57, 3.2), ":   57 inits; 3.2 Hours");
    EXPECT_EQ(titleSuffix(1, 0), ":    1 inits; 0.0 Hours");
    EXPECT_EQ(titleSuffix(12345, 100.26), ": 12345 inits; 100.3 Hours");
}

TEST(MaxLength, IsTheLongerSideOfTheNameBlock) {
    EXPECT_EQ(maxNameLength({"abc", "abcdefg"}), 7u);
    EXPECT_EQ(maxNameLength({"a", "b", "c"}), 3u);
}

TEST(Setup, EmptyResultsRaiseAClearError) {
    try {
        setup(Matrix(), 1, {"A"});
        FAIL() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_STREQ(e.what(), "inits.txt holds no init records");
    }
}

TEST(Setup, TooFewColumnsForTheDataSetsRaiseAnError) {
    EXPECT_THROW(setup(Matrix(2, 5), 2, {"A", "B"}), RuntimeError);
}

TEST(Setup, CorrectsACopyAndTakesRunLengthFromSmallestAndLargestTime) {
    // Rows: start time, time to initialise, E, N, U.
    const Matrix inits(3, 5, {86000, 100, 3800, 10, 20, 30, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    const TimeBase base = setup(inits, 1, {"Rover"});
    EXPECT_EQ(inits(1, 0), 100);  // the caller's matrix is left alone
    EXPECT_EQ(base.inits(1, 0), 86500);
    EXPECT_EQ(base.inits(2, 0), 90200);
    EXPECT_EQ(base.minTime, 86000);
    EXPECT_EQ(base.maxTime, 90200);
    EXPECT_DOUBLE_EQ(base.runLength, 4200.0 / 3600);
    EXPECT_EQ(base.numInits, 3);
    EXPECT_EQ(base.TitleString, ":    3 inits; 1.2 Hours");
    EXPECT_EQ(base.MaxLength, 5u);
}

}  // namespace
}  // namespace ambiscan::analysis
