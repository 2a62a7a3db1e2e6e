#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "analysis/doRTKInitPlot.hpp"
#include "analysis/positionErrors.hpp"
#include "analysis/setup.hpp"
#include "platform/numeric/Matrix.hpp"

namespace ambiscan::analysis {

// The 81 bin edges -0.2, -0.195, ..., 0.2 m, formed from both ends so that the middle one is
// exactly 0 and the outer ones exactly -0.2 and 0.2.
Matrix histogramEdges();

// The 79 shown percentages of all `numInits` attempts, for the bins from -0.195 to 0.2 m (the
// first bin and the count of errors equal to 0.2 are not shown).
Matrix histogramPercentages(const Matrix& errors, double numInits);

// "Rover: East - Sigma = 0.012m; Mean Error = 0.0031m" (two significant digits each).
std::string histogramTitle(const std::string& name, const std::string& axisName, double sigma,
                           double mean);

// x limits fitted to the non-empty bins of `counts`, to the millimetre; none when all are empty.
std::optional<std::array<double, 2>> fittedLimits(const Matrix& counts, const Matrix& edges);

// The East, North and Height histograms of data set k and the grouped chart of all three.
void drawPositionHistograms(RunContext& run, const TimeBase& base, const std::string& name,
                            std::size_t k, const ErrorStatistics& s, const std::string& MainTitle);

}  // namespace ambiscan::analysis
