#pragma once

#include <vector>

#include "platform/graphics/Graphics.hpp"
#include "platform/numeric/Value.hpp"

namespace ambiscan::plotsupport {

// labelAxes(xAxisDivisions, figHandleVec, axisMat, zoomOut, timeAxisGPSWeek, localOffset):
// GPS-time tick labels on the x axes of the given figures. Missing or empty inputs take their
// defaults (5, current figure, none, 0, 0, 0).
void labelAxes(graphics::Graphics& graphics, const std::vector<Value>& args);

}  // namespace ambiscan::plotsupport
