#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "analysis/RunResults.hpp"
#include "platform/graphics/Graphics.hpp"

namespace ambiscan::figures {

// "East:   Sig=0.012m; Mean=0.003m" and its North and Height lines.
std::vector<std::string> positionLegend(const analysis::ErrorStatistics& s);
// "Rover; 37 Good Inits; 3 Bad Inits; Reliability = 92.500%".
std::string positionTitle(const std::string& name, double numInits, double numBad,
                          double PercentGood);

// <legend>_PosData.png: the East, North and Height error of every attempt of data set k
// against its start time, titled with the good and bad counts and the reliability.
graphics::Graphics positionErrors(const analysis::RunResults& results, std::size_t k);
// <legend>_PosData_GoodOnly.png: the same for the good attempts only (drawn when there are bad
// ones), with their statistics in the legend.
graphics::Graphics positionErrorsGoodOnly(const analysis::RunResults& results, std::size_t k);

}  // namespace ambiscan::figures
