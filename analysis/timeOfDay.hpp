#pragma once

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

}  // namespace ambiscan::analysis
