#include "platform/render/FigureRenderer.hpp"

namespace ambiscan::render {

void renderFigure(const graphics::Graphics&, graphics::Handle, cairo_surface_t* surface) {
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_destroy(cr);
}

}  // namespace ambiscan::render
