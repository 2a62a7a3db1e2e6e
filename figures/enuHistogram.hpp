#pragma once

#include <cstddef>

#include "analysis/RunResults.hpp"
#include "platform/graphics/Graphics.hpp"

namespace ambiscan::figures {

// <legend>_ENU_Hist.png: data set k's East, North and Height histograms as one grouped chart.
graphics::Graphics enuHistogram(const analysis::RunResults& results, std::size_t k);

}  // namespace ambiscan::figures
