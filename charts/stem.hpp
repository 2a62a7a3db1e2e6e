#pragma once

#include <vector>

#include "platform/graphics/Graphics.hpp"
#include "platform/numeric/Value.hpp"

namespace ambiscan::charts {

// stem(args...): data (heights, or positions and heights) then texts (line specs,
// "fill"). Returns the marker lines of all series, then their stem lines.
std::vector<graphics::Handle> stem(graphics::Graphics& graphics, const std::vector<Value>& args);

}  // namespace ambiscan::charts
