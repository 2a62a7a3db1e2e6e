#pragma once

#include <string>

#include "analysis/doRTKInitPlot.hpp"

namespace ambiscan::analysis {

// Every figure of a run is printed to its PNG in the output folder and closed at once.
inline constexpr bool doPrint = true;

// Prints the current figure with "-dpng" to `fileName` in the output folder, then closes it.
void printAndClose(RunContext& run, const std::string& fileName);

}  // namespace ambiscan::analysis
