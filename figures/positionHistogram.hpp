#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>

#include "analysis/RunResults.hpp"
#include "platform/graphics/Graphics.hpp"

namespace ambiscan::figures {

// The axis names of the histograms, in the order East, North, Height.
inline constexpr const char* kAxisNames[] = {"East", "North", "Height"};

// "Rover: East - Sigma = 0.012m; Mean Error = 0.0031m" (two significant digits each).
std::string histogramTitle(const std::string& name, const std::string& axisName, double sigma,
                           double mean);
// The titles of data set k's three histograms, East, North, Height.
std::array<std::string, 3> histogramTitles(const analysis::DataSetResults& d);

// x limits fitted to the non-empty bins of `counts`, to the millimetre; none when all are empty.
std::optional<std::array<double, 2>> fittedLimits(const Matrix& counts, const Matrix& edges);

// The centres of the shown bars of the error histograms: the inner 79 edges, metres.
Matrix histogramBars();

// <legend>_East_Hist.png (a = 0), _North_Hist.png (1), _Height_Hist.png (2): the errors of
// data set k on that axis in 5 mm bins, as percentages of all attempts.
graphics::Graphics positionHistogram(const analysis::RunResults& results, std::size_t k,
                                     std::size_t a);

}  // namespace ambiscan::figures
