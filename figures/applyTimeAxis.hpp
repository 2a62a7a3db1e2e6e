#pragma once

#include "analysis/timeOfDay.hpp"
#include "platform/graphics/Graphics.hpp"

namespace ambiscan::figures {

// Fixes the current axes' x limits to the time axis (y limits as they are) and labels it in
// GPS time of day.
void applyTimeAxis(graphics::Graphics& graphics, const analysis::TimeAxis& axis);

}  // namespace ambiscan::figures
