#pragma once

#include <string>

#include "analysis/doRTKInitPlot.hpp"
#include "analysis/setup.hpp"
#include "platform/numeric/Matrix.hpp"

namespace ambiscan::analysis {

// Percentages of all attempts in the 5-second bins centred on 0, 5, ..., 500 (101 values); the
// bin beyond 502.5 s is dropped.
Matrix distributionPercentages(const Matrix& times, double numInits);

// Draws the distribution figure and prints it to InitTimeDist.png.
void drawInitTimeDistribution(RunContext& run, const TimeBase& base, const CellRow& names,
                              const std::string& MainTitle);

}  // namespace ambiscan::analysis
