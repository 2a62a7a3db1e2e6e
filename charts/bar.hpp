#pragma once

#include <vector>

#include "platform/base/Console.hpp"
#include "platform/graphics/Graphics.hpp"
#include "platform/numeric/Value.hpp"

namespace ambiscan::charts {

// bar(args...) drawn into the current axes: one patch per series, handles returned.
// Raises the layout's message as a RuntimeError; 1 to 4 arguments.
std::vector<graphics::Handle> bar(graphics::Graphics& graphics, const std::vector<Value>& args);

// The two-output form: warns that it is obsolete and returns the outline, drawing nothing.
struct BarOutline {
    Matrix xx, yy;
};
BarOutline barOutline(const Console& console, const std::vector<Value>& args);

}  // namespace ambiscan::charts
