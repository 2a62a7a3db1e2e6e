#pragma once

#include <array>
#include <cstddef>

#include "platform/graphics/Graphics.hpp"

// Default colours of the model: the order in which lines without a colour are coloured, and the
// colour map that "flat" patches index.
namespace ambiscan::graphics {

// The colour of the index-th line drawn without a colour (cycles through seven colours).
Rgb colorOrder(std::size_t index);

// The figures' default colour map: 64 rows from blue over green and amber to red, so that the
// lowest, middle and highest entries (the colours of a grouped three-series bar chart) differ
// clearly.
Matrix defaultColormap();

// The colour a "flat" colour value c takes: c mapped linearly through clim onto the rows of the
// colour map, clamped at both ends.
Rgb colormapColor(const Matrix& colormap, double c, const std::array<double, 2>& clim);

}  // namespace ambiscan::graphics
