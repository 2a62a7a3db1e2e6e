#include "analysis/timeOfDay.hpp"

#include <gtest/gtest.h>

namespace ambiscan::analysis {
namespace {

void expectAxis(const TimeAxis& axis, double xmin, double xmax, double step, double labels) {
    EXPECT_EQ(axis.xmin, xmin);
    EXPECT_EQ(axis.xmax, xmax);
    EXPECT_EQ(axis.step, step);
    EXPECT_EQ(axis.Labels, labels);
}

TEST(TimeAxis, RunsUpToADayAreWidenedToThreeHourBoundaries) {
    expectAxis(timeAxis(30000, 100000, 30000, 100000), 21600, 108000, 10800, 8);
}

TEST(TimeAxis, RunsOverADayAreWidenedToSixHourBoundaries) {
    expectAxis(timeAxis(30000, 200000, 30000, 200000), 21600, 216000, 21600, 9);
}

TEST(TimeAxis, ExactlyOneDayStillUsesThreeHours) {
    expectAxis(timeAxis(10800, 97200, 10800, 97200), 10800, 97200, 10800, 8);
}

TEST(TimeAxis, TimesOnBoundariesStayWhereTheyAre) {
    expectAxis(timeAxis(21600, 43200, 21600, 43200), 21600, 43200, 10800, 2);
}

TEST(TimeAxis, LimitsComeFromFirstAndLastRowsWhenInOrder) {
    // A middle row outside the first and last does not widen the axis.
    const TimeAxis axis = timeAxis(30000, 40000, 1000, 90000);
    EXPECT_FALSE(axis.outOfOrder);
    expectAxis(axis, 21600, 43200, 10800, 2);
}

TEST(TimeAxis, ASingleAttemptOnABoundaryGetsOneStep) {
    expectAxis(timeAxis(43200, 43200, 43200, 43200), 43200, 54000, 10800, 1);
    expectAxis(timeAxis(50000, 50000, 50000, 50000), 43200, 54000, 10800, 1);
}

TEST(TimeAxis, RecordsOutOfOrderUseEarliestAndLatest) {
    const TimeAxis axis = timeAxis(50000, 20000, 20000, 60000);
    EXPECT_TRUE(axis.outOfOrder);
    expectAxis(axis, 10800, 64800, 10800, 5);
}

TEST(TimeAxis, LongRunsTakeLargerWholeMultiplesOfTheStep) {
    // 24 days at one label per 6 hours would be 96 intervals; every 2 days gives 12.
    expectAxis(timeAxis(0, 24 * 86400, 0, 24 * 86400), 0, 24 * 86400, 172800, 12);
    // Four days still fit at 6 hours; a second more takes 12 hours.
    expectAxis(timeAxis(0, 4 * 86400, 0, 4 * 86400), 0, 4 * 86400, 21600, 16);
    expectAxis(timeAxis(0, 4 * 86400 + 1, 0, 4 * 86400 + 1), 0, 4 * 86400 + 43200, 43200, 9);
}

}  // namespace
}  // namespace ambiscan::analysis
