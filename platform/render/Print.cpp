#include "platform/render/Print.hpp"

#include <cairo.h>
#include <sys/mman.h>

#include <cstdlib>

#include "platform/base/RuntimeError.hpp"
#include "platform/graphics/PropertyValues.hpp"
#include "platform/render/PngFile.hpp"
#include "platform/render/detail/DataPainter.hpp"
#include "platform/render/detail/FigureRenderer.hpp"

namespace ambiscan::render {

PixelRows RenderedFigure::pixels() const {
    cairo_surface_t* s = surface_.get();
    return {cairo_image_surface_get_data(s), cairo_image_surface_get_width(s),
            cairo_image_surface_get_height(s), cairo_image_surface_get_stride(s)};
}

void RenderedFigure::FreeBuffer::operator()(unsigned char* p) const {
    std::free(p);
}

// The canvas is asked of the system in huge pages where it can have them: first touching a
// few megabytes of ordinary pages costs more than drawing a simple figure.
void RenderedFigure::DestroySurface::operator()(cairo_surface_t* s) const {
    cairo_surface_destroy(s);
}

RenderedFigure::RenderedFigure(RenderedFigure&&) noexcept = default;
RenderedFigure& RenderedFigure::operator=(RenderedFigure&&) noexcept = default;
RenderedFigure::~RenderedFigure() = default;

RenderedFigure::RenderedFigure(int width, int height) {
    resize(width, height);
}

void RenderedFigure::resize(int width, int height) {
    const int stride = cairo_format_stride_for_width(CAIRO_FORMAT_RGB24, width);
    const std::size_t bytes = static_cast<std::size_t>(stride) * static_cast<std::size_t>(height);
    if (surface_ && cairo_image_surface_get_width(surface_.get()) == width &&
        cairo_image_surface_get_height(surface_.get()) == height) {
        return;
    }
    surface_.reset();
    if (bytes > capacity_) {
        constexpr std::size_t kHuge = std::size_t{2} << 20;
        const std::size_t rounded = (bytes + kHuge - 1) / kHuge * kHuge;
        buffer_.reset(static_cast<unsigned char*>(std::aligned_alloc(kHuge, rounded)));
        capacity_ = buffer_ ? rounded : 0;
        if (!buffer_) {
            throw RuntimeError("Cannot draw figure: out of memory");
        }
        // Huge pages for the whole ones only: a huge page for the tail would be zeroed whole for
        // the few rows that reach into it (a figure's canvas: 4.3 of 6 MB).
        if (const std::size_t whole = bytes / kHuge * kHuge; whole > 0) {
            madvise(buffer_.get(), whole, MADV_HUGEPAGE);  // a hint only; fine if refused
        }
    }
    surface_.reset(cairo_image_surface_create_for_data(buffer_.get(), CAIRO_FORMAT_RGB24, width,
                                                       height, stride));
    if (cairo_surface_status(surface_.get()) != CAIRO_STATUS_SUCCESS) {
        throw RuntimeError("Cannot draw figure: out of memory");
    }
}

LineScratch& RenderedFigure::lineScratch() {
    const int width = cairo_image_surface_get_width(surface_.get());
    const int height = cairo_image_surface_get_height(surface_.get());
    for (SizedScratch& s : scratches_) {
        if (s.width == width && s.height == height) {
            return *s.scratch;
        }
    }
    scratches_.push_back({width, height, std::make_unique<LineScratch>(width, height)});
    return *scratches_.back().scratch;
}

void renderFigurePixels(const graphics::Graphics& graphics, graphics::Handle figure,
                        RenderedFigure& canvas) {
    renderFigure(graphics, figure, canvas.surface(), canvas.lineScratch());
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
    if (lowerCase(device) != "-dpng") {
        throw RuntimeError("print: unknown device \"" + device + "\"; only \"-dpng\" is known.");
    }
    if (!graphics.hasCurrentFigure()) {
        throw RuntimeError("print: there is no figure to print.");
    }
    writeFigurePng(graphics, graphics.currentFigureHandle(), fileName);
}

}  // namespace ambiscan::render
