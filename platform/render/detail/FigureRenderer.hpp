#pragma once

#include <cairo.h>

#include "platform/graphics/Graphics.hpp"
#include "platform/render/detail/DataPainter.hpp"

namespace ambiscan::render {

// Draws a figure onto a Cairo image surface of the figure's size. Reads the model only.
// The data objects are drawn by the painter dataPainterFor() picks for the surface.
void renderFigure(const graphics::Graphics& graphics, graphics::Handle figure,
                  cairo_surface_t* surface, Reduction reduction = Reduction::Visible);
// The same with working memory for the lines that outlives the figure (of the surface's size).
void renderFigure(const graphics::Graphics& graphics, graphics::Handle figure,
                  cairo_surface_t* surface, LineScratch& scratch,
                  Reduction reduction = Reduction::Visible);
// The same onto any Cairo surface (an SVG or PDF one too), `width` by `height` units.
void renderFigure(const graphics::Graphics& graphics, graphics::Handle figure,
                  cairo_surface_t* surface, double width, double height, LineScratch& scratch,
                  Reduction reduction = Reduction::Visible);

}  // namespace ambiscan::render
