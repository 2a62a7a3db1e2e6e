#include "platform/render/prepareFonts.hpp"

#include <cairo.h>

#include <memory>

#include "platform/base/RuntimeError.hpp"
#include "platform/render/detail/Text.hpp"

namespace ambiscan::render {

void prepareFonts() {
    const std::unique_ptr<cairo_surface_t, void (*)(cairo_surface_t*)> surface(
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 8, 8), &cairo_surface_destroy);
    const std::unique_ptr<cairo_t, void (*)(cairo_t*)> cr(cairo_create(surface.get()),
                                                          &cairo_destroy);
    if (cairo_status(cr.get()) == CAIRO_STATUS_SUCCESS) {
        TextPainter painter(cr.get());
        // The sans, monospaced and serif faces the figures choose from, plain and bold.
        for (const char* name : {"Helvetica", "Courier", "Times"}) {
            for (const char* weight : {"normal", "bold"}) {
                painter.width("0", fontFor(name, 10, weight, "normal"));
            }
        }
    }
    if (cairo_status(cr.get()) != CAIRO_STATUS_SUCCESS) {
        throw RuntimeError("not enough memory to set up the fonts");
    }
}

}  // namespace ambiscan::render
