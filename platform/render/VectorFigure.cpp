#include "platform/render/VectorFigure.hpp"

#include <cairo-pdf.h>
#include <cairo-svg.h>

#include <memory>

#include "platform/base/RuntimeError.hpp"
#include "platform/render/PngFile.hpp"
#include "platform/render/Print.hpp"
#include "platform/render/detail/FigureRenderer.hpp"

namespace ambiscan::render {

namespace {

cairo_status_t appendTo(void* closure, const unsigned char* data, unsigned int length) {
    try {
        static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    } catch (const std::exception&) {
        return CAIRO_STATUS_NO_MEMORY;
    }
    return CAIRO_STATUS_SUCCESS;
}

}  // namespace

std::string renderFigureDocument(const graphics::Graphics& graphics, graphics::Handle figure,
                                 FigureFormat format) {
    std::string bytes;
    using Surface = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;
    Surface surface(
        format == FigureFormat::Pdf
            ? cairo_pdf_surface_create_for_stream(appendTo, &bytes, kFigureWidth, kFigureHeight)
            : cairo_svg_surface_create_for_stream(appendTo, &bytes, kFigureWidth, kFigureHeight),
        cairo_surface_destroy);
    if (format == FigureFormat::Svg) {
        // Sized in pixels, as the PNG is, rather than in points.
        cairo_svg_surface_set_document_unit(surface.get(), CAIRO_SVG_UNIT_PX);
    }
    LineScratch scratch(kFigureWidth, kFigureHeight);
    renderFigure(graphics, figure, surface.get(), kFigureWidth, kFigureHeight, scratch);
    cairo_surface_finish(surface.get());
    const cairo_status_t status = cairo_surface_status(surface.get());
    if (status != CAIRO_STATUS_SUCCESS) {
        throw RuntimeError("Cannot draw figure as " + formatName(format) + ": " +
                           cairo_status_to_string(status));
    }
    return bytes;
}

void writeFigureBytes(const std::string& bytes, const std::string& fileName) {
    // The PNG writer's path: a temporary file renamed into place.
    writePngBytes(bytes, fileName);
}

}  // namespace ambiscan::render
