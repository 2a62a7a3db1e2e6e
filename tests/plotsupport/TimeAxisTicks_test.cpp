#include "plotsupport/TimeAxisTicks.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace ambiscan::plotsupport {
namespace {

constexpr double kDay = 86400;

CellRow labelsOf(const TimeAxisTicks& t) {
    return std::get<CellRow>(t.xTickLabel);
}

TEST(TimeAxisTicks, HourTicksNameTheDayOnTheFirstLabelOnly) {
    const TimeAxisTicks t = timeAxisTicks({4 * kDay, 4 * kDay + 10800}, 3, false, 0);
    EXPECT_EQ(t.xTick, Matrix::row({4 * kDay, 4 * kDay + 3600, 4 * kDay + 7200, 4 * kDay + 10800}));
    EXPECT_EQ(labelsOf(t), (CellRow{"Day4  00:00", "01:00", "02:00", "03:00"}));
}

TEST(TimeAxisTicks, LaterTickOnTheNextDayShowsOnlyItsTime) {
    const TimeAxisTicks t = timeAxisTicks({kDay - 3600, kDay + 3600}, 2, false, 0);
    EXPECT_EQ(labelsOf(t), (CellRow{"Day0  23:00", "00:00", "01:00"}));
}

TEST(TimeAxisTicks, LongRangesStartOnAWholeMinute) {
    // 30 s past a whole minute; the step of 1800 s stays whole minutes.
    const TimeAxisTicks t = timeAxisTicks({30, 30 + 7200}, 4, false, 0);
    EXPECT_EQ(t.xTick[0], 60);
    EXPECT_EQ(t.xTick[1], 60 + 1800);
    EXPECT_EQ(labelsOf(t)[0], "Day0  00:01");
}

TEST(TimeAxisTicks, LongRangesStepInWholeMinutes) {
    // floor(3700 / 3) = 1233 s is lowered to 1200 s.
    const TimeAxisTicks t = timeAxisTicks({0, 3700}, 3, false, 0);
    EXPECT_EQ(t.xTick, Matrix::row({0, 1200, 2400, 3600}));
}

TEST(TimeAxisTicks, ShortRangeOffAWholeMinuteCarriesSeconds) {
    const TimeAxisTicks t = timeAxisTicks({100, 400}, 3, false, 0);
    EXPECT_EQ(t.xTick, Matrix::row({100, 200, 300, 400}));
    EXPECT_EQ(labelsOf(t), (CellRow{"Day0  00:01:40", "00:03:20", "00:05:00", "00:06:40"}));
}

TEST(TimeAxisTicks, MoreDivisionsThanSecondsGiveAStepOfOne) {
    const TimeAxisTicks t = timeAxisTicks({10, 13}, 100, true, 0);
    EXPECT_EQ(t.xTick, Matrix::row({10, 11, 12, 13}));
}

TEST(TimeAxisTicks, NegativeLocalTimeWrapsToTheEndOfTheWeek) {
    // 1 h after the week start, 2 h behind: 23:00 on day 6.
    const TimeAxisTicks t = timeAxisTicks({3600, 3600 + 600}, 1, false, -2);
    EXPECT_EQ(labelsOf(t)[0], "Day6  23:00");
}

TEST(TimeAxisTicks, FirstTickBeyondTheWeekShowsDayZero) {
    const TimeAxisTicks t = timeAxisTicks({7 * kDay + 3600, 7 * kDay + 7200}, 1, false, 0);
    EXPECT_EQ(labelsOf(t)[0], "Day0  01:00");
}

TEST(TimeAxisTicks, LocalOffsetShiftsTheLabelsNotTheTicks) {
    const TimeAxisTicks t = timeAxisTicks({0, 600}, 1, false, 5.5);
    EXPECT_EQ(t.xTick, Matrix::row({0, 600}));
    EXPECT_EQ(labelsOf(t), (CellRow{"Day0  05:30", "05:40"}));
}

TEST(TimeAxisTicks, TimesAtTheEdgeOfADoubleGetLabelsWithinTheirWeek) {
    // Ticks 2^998 * (4 + k), k = 0..4; their remainders in a week by integer arithmetic:
    // day 1 16:36:16, then 14:45:20, 12:54:24, 11:03:28, 09:12:32.
    const double t = std::ldexp(1.0, 1000);
    const CellRow labels = labelsOf(timeAxisTicks({t, t * 2}, 4, false, 0));
    const CellRow starts = {"Day1  16:36", "14:45", "12:54", "11:03", "09:12"};
    ASSERT_EQ(labels.size(), starts.size());
    for (std::size_t k = 0; k < starts.size(); ++k) {
        EXPECT_EQ(labels[k].substr(0, starts[k].size()), starts[k]) << labels[k];
    }
}

TEST(TimeAxisTicks, PlainLabelsAreJoinedByBars) {
    const TimeAxisTicks t = timeAxisTicks({-0.5, 200.5}, 2, true, 0);
    EXPECT_EQ(t.xTick, Matrix::row({0, 100, 200}));
    EXPECT_EQ(std::get<std::string>(t.xTickLabel), "0|100|200");
}

TEST(TimeAxisTicks, PlainLabelsSkipTheMinuteAlignment) {
    const TimeAxisTicks t = timeAxisTicks({30, 30 + 7200}, 4, true, 0);
    EXPECT_EQ(t.xTick[0], 30);
    EXPECT_EQ(t.xTick[1], 1830);
}

TEST(TimeAxisTicks, TooManyDivisionsOfALongRangeTickEveryMinute) {
    const TimeAxisTicks t = timeAxisTicks({0, 3600}, 100, false, 0);
    EXPECT_EQ(t.xTick.numel(), 61u);
    EXPECT_EQ(t.xTick[1], 60);
}

TEST(TimeAxisTicks, RangeWithoutAWholeSecondHasNoTicks) {
    const TimeAxisTicks t = timeAxisTicks({0.2, 0.8}, 5, false, 0);
    EXPECT_TRUE(t.xTick.empty());
    EXPECT_TRUE(labelsOf(t).empty());
    EXPECT_EQ(std::get<std::string>(timeAxisTicks({0.2, 0.8}, 5, true, 0).xTickLabel), "");
}

}  // namespace
}  // namespace ambiscan::plotsupport
