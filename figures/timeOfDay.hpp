#pragma once

#include "analysis/RunResults.hpp"
#include "platform/graphics/Graphics.hpp"

namespace ambiscan::figures {

// InitTimeVTime.png: every attempt's time to fix as a stem at the GPS time it started, on the
// run's time axis.
graphics::Graphics timeOfDay(const analysis::RunResults& results);

}  // namespace ambiscan::figures
