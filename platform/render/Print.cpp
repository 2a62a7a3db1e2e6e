#include "platform/render/Print.hpp"

#include <cairo.h>

#include "platform/graphics/PropertyValues.hpp"
#include "platform/render/FigureRenderer.hpp"
#include "platform/render/PngFile.hpp"
#include "platform/runtime/RuntimeError.hpp"

namespace ambiscan::render {

PixelRows RenderedFigure::pixels() const {
    cairo_surface_t* s = surface_.get();
    return {cairo_image_surface_get_data(s), cairo_image_surface_get_width(s),
            cairo_image_surface_get_height(s), cairo_image_surface_get_stride(s)};
}

RenderedFigure::RenderedFigure()
    : surface_(cairo_image_surface_create(CAIRO_FORMAT_RGB24, kFigureWidth, kFigureHeight),
               cairo_surface_destroy) {
    if (cairo_surface_status(surface_.get()) != CAIRO_STATUS_SUCCESS) {
        throw RuntimeError("Cannot draw figure: out of memory");
    }
}

void renderFigurePixels(const graphics::Graphics& graphics, graphics::Handle figure,
                        RenderedFigure& canvas) {
    renderFigure(graphics, figure, canvas.surface());
    cairo_surface_flush(canvas.surface());
}

RenderedFigure renderFigurePixels(const graphics::Graphics& graphics, graphics::Handle figure) {
    RenderedFigure canvas;
    renderFigurePixels(graphics, figure, canvas);
    return canvas;
}

void writeFigurePng(const graphics::Graphics& graphics, graphics::Handle figure,
                    const std::string& fileName) {
    writePng(renderFigurePixels(graphics, figure).pixels(), fileName);
}

void print(const graphics::Graphics& graphics, const std::string& device,
           const std::string& fileName) {
    if (graphics::lowerCase(device) != "-dpng") {
        throw RuntimeError("print: unknown device \"" + device + "\"; only \"-dpng\" is known.");
    }
    if (!graphics.hasCurrentFigure()) {
        throw RuntimeError("print: there is no figure to print.");
    }
    writeFigurePng(graphics, graphics.currentFigureHandle(), fileName);
}

}  // namespace ambiscan::render
