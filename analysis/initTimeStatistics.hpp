#pragma once

#include <cstddef>
#include <string>

#include "analysis/DataSetStatistics.hpp"
#include "analysis/doRTKInitPlot.hpp"
#include "analysis/setup.hpp"
#include "platform/graphics/Graphics.hpp"
#include "platform/numeric/Matrix.hpp"

namespace ambiscan::analysis {

// The time-to-initialise figures of one data set.
struct InitTimeSummary {
    Matrix CDF;                // 501 percentages of all attempts, element k for second k
    double ninetyPercentile;   // first whole second where CDF reaches 90, or NaN
    double max, mean, median;  // over every attempt, also those beyond 500 s
};

// Counts the times into 1-second bins centred on 0..501 and drops the last bin (every time
// beyond 500.5 s), so such attempts only weigh in the divisor `numInits`.
InitTimeSummary initTimeSummary(const Matrix& times, double numInits);

// One legend line: the name padded to MaxLength + 1 characters, then the 90 % time, longest,
// mean and median right-aligned in fields of 4, 5, 5 and 4 characters.
std::string cdfLegendLine(const std::string& name, std::size_t MaxLength, double ninetyPercentile,
                          double max, double mean, double median);

// Draws the cumulative-percentage figure, fills the time statistics of every data set into
// `stats` (one entry per data set, names set) and returns the figure, which stays open.
graphics::Handle drawInitTimeCdf(RunContext& run, const TimeBase& base, const CellRow& names,
                                 const std::string& MainTitle, RunStatistics& stats);

}  // namespace ambiscan::analysis
