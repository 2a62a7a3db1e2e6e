#pragma once

#include <string>

#include "analysis/doRTKInitPlot.hpp"
#include "analysis/setup.hpp"
#include "platform/graphics/Graphics.hpp"

namespace ambiscan::analysis {

// The time axis shared by the time-of-day and position error figures.
struct TimeAxis {
    double xmin = 0, xmax = 0;  // widened to label boundaries, seconds
    double step = 0;            // seconds between labels
    double Labels = 0;          // label intervals along the axis
    bool outOfOrder = false;    // the last record starts before the first
};

// Most label intervals that still fit side by side on a figure.
inline constexpr double kMaxLabelIntervals = 16;

// The axis from the first and last start times (the earliest and latest when the last starts
// before the first), widened to whole 3-hour boundaries, or 6-hour ones for runs over a day.
// An axis that would have no width gets one step; a long run takes the step doubled as often as
// needed for its labels to fit.
TimeAxis timeAxis(double first, double last, double earliest, double latest);

// Fixes the current axes' x limits to the time axis (y limits as they are) and labels it in
// GPS time of day.
void applyTimeAxis(graphics::Graphics& graphics, const TimeAxis& axis);

// Draws the stems of every data set against the start time, prints InitTimeVTime.png and
// returns the time axis it chose for the position figures.
TimeAxis drawTimeOfDay(RunContext& run, const TimeBase& base, const CellRow& names,
                       const std::string& MainTitle);

}  // namespace ambiscan::analysis
