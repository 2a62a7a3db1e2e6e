#pragma once

#include <cairo.h>

#include "platform/graphics/Graphics.hpp"
#include "platform/render/detail/AxesLayout.hpp"

namespace ambiscan::render {

// Grid lines at the ticks (those switched on).
void drawGrid(cairo_t* cr, const AxesLayout& layout, const graphics::AxesObject& axes);
// Axis lines (a full frame with "box" on), tick marks, tick labels, axis labels and title.
void drawAxesDecoration(cairo_t* cr, TextPainter& text, const AxesLayout& layout,
                        const graphics::AxesObject& axes);
void drawPlacedText(TextPainter& text, cairo_t* cr, const PlacedText& p);

}  // namespace ambiscan::render
