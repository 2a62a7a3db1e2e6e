#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "analysis/RunResults.hpp"
#include "platform/graphics/Graphics.hpp"

namespace ambiscan::figures {

// One legend line: the name padded to MaxLength + 1 characters, then the 90 % time, longest,
// mean and median right-aligned in fields of 4, 5, 5 and 4 characters.
std::string cdfLegendLine(const std::string& name, std::size_t MaxLength, double ninetyPercentile,
                          double max, double mean, double median);

// "Rover:  Rel. = 92.500%; East Sig = 0.012m; North Sig = 0.010m; Height Sig = 0.030m; " per
// data set, the text block of the cumulative figure.
std::vector<std::string> cdfSummaryLines(const analysis::RunStatistics& stats);

// InitTimeCDF.png: the cumulative percentage of every data set against the time to fix, with
// the time statistics in the legend and reliability and error sigmas in a text block.
graphics::Graphics initTimeCdf(const analysis::RunResults& results);

}  // namespace ambiscan::figures
