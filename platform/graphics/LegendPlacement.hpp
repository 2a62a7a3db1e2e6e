#pragma once

#include <array>

#include "platform/graphics/Graphics.hpp"

namespace ambiscan::graphics {

// The inside corner (1 upper right, 2 upper left, 3 lower left, 4 lower right) where a legend
// box of the given size, as fractions of the axes' width and height and set in from the edges
// by the given fractions, covers the fewest data points. Lines count their points and points
// along their segments, patches their vertices. Ties go to the lower corner number.
int bestLegendCorner(const Graphics& graphics, Handle axes, double width, double height,
                     double insetX, double insetY);
// The same, for an axes whose limits the caller has resolved already.
int bestLegendCorner(const Graphics& graphics, Handle axes, const std::array<double, 2>& xlim,
                     const std::array<double, 2>& ylim, double width, double height, double insetX,
                     double insetY);

// What the choice rests on: for each corner, the points and segment samples its box covers.
std::array<long, 4> legendCornerCounts(const Graphics& graphics, Handle axes,
                                       const std::array<double, 2>& xlim,
                                       const std::array<double, 2>& ylim, double width,
                                       double height, double insetX, double insetY);

}  // namespace ambiscan::graphics
