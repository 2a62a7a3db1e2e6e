#include "platform/render/VectorFigure.hpp"

#include <cairo-pdf.h>
#include <cairo-svg.h>

#include <map>
#include <memory>
#include <string_view>

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

// Cairo numbers an SVG's groups by a count kept for the whole process, so the same figure got
// other ids as other figures were drawn before it (on other threads, in other formats). They
// are numbered here from 1 in the order they first appear, references with them.
std::string numberSurfacesInOrder(const std::string& svg) {
    constexpr std::string_view kName = "surface";
    std::map<std::string_view, std::size_t> numbers;
    std::string out;
    out.reserve(svg.size());
    const std::string_view text(svg);
    std::size_t copied = 0;
    for (std::size_t at = text.find(kName); at != std::string_view::npos;
         at = text.find(kName, at + 1)) {
        std::size_t end = at + kName.size();
        while (end < text.size() && text[end] >= '0' && text[end] <= '9')
            ++end;
        const bool named =
            end > at + kName.size() && at > 0 && (text[at - 1] == '"' || text[at - 1] == '#');
        if (!named)
            continue;
        const std::string_view id = text.substr(at, end - at);
        const std::size_t number = numbers.emplace(id, numbers.size() + 1).first->second;
        out.append(text.substr(copied, at - copied));
        out.append(kName).append(std::to_string(number));
        copied = end;
    }
    out.append(text.substr(copied));
    return out;
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
    return format == FigureFormat::Svg ? numberSurfacesInOrder(bytes) : bytes;
}

void writeFigureBytes(const std::string& bytes, const std::string& fileName) {
    // The PNG writer's path: a temporary file renamed into place.
    writePngBytes(bytes, fileName);
}

}  // namespace ambiscan::render
