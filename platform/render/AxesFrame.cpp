#include "platform/render/AxesFrame.hpp"

#include <cairo.h>

#include <memory>

#include "platform/base/RuntimeError.hpp"
#include "platform/render/Print.hpp"
#include "platform/render/detail/AxesLayout.hpp"
#include "platform/render/detail/Text.hpp"

namespace ambiscan::render {

Frame axesFrame(const graphics::Graphics& graphics, graphics::Handle axes, int width, int height) {
    // Only the text has to be measured: a tiny surface does.
    const std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface(
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1, 1), cairo_surface_destroy);
    const std::unique_ptr<cairo_t, decltype(&cairo_destroy)> cr(cairo_create(surface.get()),
                                                                cairo_destroy);
    if (cairo_status(cr.get()) != CAIRO_STATUS_SUCCESS) {
        throw RuntimeError("Cannot draw figure: out of memory");
    }
    TextPainter text(cr.get());
    return layoutAxes(graphics, axes, text, width, height).frame;
}

}  // namespace ambiscan::render
