#pragma once

#include <cairo.h>

#include "platform/graphics/Graphics.hpp"
#include "platform/render/DataPainter.hpp"

namespace ambiscan::render {

// Draws a figure onto a Cairo image surface of the figure's size. Reads the model only.
void renderFigure(const graphics::Graphics& graphics, graphics::Handle figure,
                  cairo_surface_t* surface, Reduction reduction = Reduction::Visible);

}  // namespace ambiscan::render
