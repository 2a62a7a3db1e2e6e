#pragma once

#include <array>
#include <vector>

#include "platform/numeric/Matrix.hpp"
#include "platform/numeric/Value.hpp"

namespace ambiscan::plotsupport {

// The ticks of one x axis in GPS seconds of the week and their labels: a cell row of time-of-day
// labels ("Day4  00:00", "01:00", ...) or, for plain labels, one "|"-joined text ("0|100|200").
struct TimeAxisTicks {
    Matrix xTick;      // a row of tick positions; empty when no whole second lies in range
    Value xTickLabel;  // CellRow for time of day, text for plain seconds
};

// Ticks across [limits[0], limits[1]] at whole seconds, about `divisions` intervals apart. In the
// time-of-day mode (plainSeconds false) ranges of an hour or more start on a whole minute and
// step in whole minutes; `localOffset` hours are added before the time is split.
TimeAxisTicks timeAxisTicks(const std::array<double, 2>& limits, double divisions,
                            bool plainSeconds, double localOffset);

}  // namespace ambiscan::plotsupport
