#pragma once

#include "analysis/RunResults.hpp"
#include "platform/graphics/Graphics.hpp"

namespace ambiscan::figures {

// InitTimeDist.png: per data set, the percentage of all attempts in each 5-second bin.
graphics::Graphics initTimeDistribution(const analysis::RunResults& results);

}  // namespace ambiscan::figures
