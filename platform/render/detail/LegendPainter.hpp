#pragma once

#include <cairo.h>

#include "platform/graphics/Graphics.hpp"
#include "platform/render/detail/AxesLayout.hpp"

namespace ambiscan::render {

// A legend box in a corner of its axes' frame (the one hiding the fewest data points when
// its location is -1): one row per entry, a sample of the line or patch, then its text.
void drawLegend(cairo_t* cr, TextPainter& text, const graphics::Graphics& graphics,
                graphics::Handle legend, const AxesLayout& layout);

}  // namespace ambiscan::render
