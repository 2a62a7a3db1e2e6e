#pragma once

#include <vector>

#include "platform/graphics/Graphics.hpp"
#include "platform/numeric/Value.hpp"

namespace ambiscan::charts {

// grid(), grid("on"|"off"), grid(axes), grid(axes, "on"|"off"): no argument toggles.
void grid(graphics::Graphics& graphics, const std::vector<Value>& args = {});

}  // namespace ambiscan::charts
