#include "platform/render/Print.hpp"

#include <cairo.h>

#include <memory>

#include "platform/graphics/PropertyValues.hpp"
#include "platform/render/FigureRenderer.hpp"
#include "platform/render/PngFile.hpp"
#include "platform/runtime/RuntimeError.hpp"

namespace ambiscan::render {

void writeFigurePng(const graphics::Graphics& graphics, graphics::Handle figure,
                    const std::string& fileName) {
    std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface(
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, kFigureWidth, kFigureHeight),
        cairo_surface_destroy);
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) {
        throw RuntimeError("Cannot draw figure for \"" + fileName + "\": out of memory");
    }
    renderFigure(graphics, figure, surface.get());
    cairo_surface_flush(surface.get());
    const PixelRows pixels{cairo_image_surface_get_data(surface.get()), kFigureWidth, kFigureHeight,
                           cairo_image_surface_get_stride(surface.get())};
    writePng(pixels, fileName);
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
