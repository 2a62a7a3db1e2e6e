#pragma once

#include <ostream>
#include <string>

#include "analysis/doRTKInitPlot.hpp"

namespace ambiscan::analysis {

// Every figure of a run is printed to its PNG in the output folder and closed at once.
inline constexpr bool doPrint = true;

// Prints the current figure with "-dpng" to `fileName` in the output folder, then closes it.
void printAndClose(RunContext& run, const std::string& fileName);

// Draws a figure that reaches no file, in turn with the figures printed so far.
void drawKeptOnly(RunContext& run, const KeptOnlyFigure& figure);

// Shows console text after the figures printed so far are in their files, without waiting for
// them here; nothing is shown if one of them fails.
void showAfterFigures(RunContext& run, std::ostream& out, std::string text);

// Waits until the figures printed so far are in their files, raising a failure to write one.
// Called before the run shows anything else: console text or another file.
void settleFigures(RunContext& run);

}  // namespace ambiscan::analysis
