#include "platform/render/detail/DataObjectPainter.hpp"

#include <cairo-svg.h>
#include <gtest/gtest.h>

namespace ambiscan::render {
namespace {

using Surface = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;
using Context = std::unique_ptr<cairo_t, decltype(&cairo_destroy)>;

cairo_status_t discard(void*, const unsigned char*, unsigned int) {
    return CAIRO_STATUS_SUCCESS;
}

bool paintsPixels(cairo_surface_t* surface) {
    Context cr(cairo_create(surface), cairo_destroy);
    return dynamic_cast<RasterDataPainter*>(dataPainterFor(cr.get()).get()) != nullptr;
}

TEST(DataObjectPainter, PixelsOnlyForAnOpaqueImageEverythingElseAsPaths) {
    Surface rgb(cairo_image_surface_create(CAIRO_FORMAT_RGB24, 8, 8), cairo_surface_destroy);
    Surface argb(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 8, 8), cairo_surface_destroy);
    Surface svg(cairo_svg_surface_create_for_stream(discard, nullptr, 8, 8), cairo_surface_destroy);
    EXPECT_TRUE(paintsPixels(rgb.get()));
    EXPECT_FALSE(paintsPixels(argb.get()));
    EXPECT_FALSE(paintsPixels(svg.get()));

    // A line drawn through the path painter on an SVG surface leaves the surface sound.
    Context cr(cairo_create(svg.get()), cairo_destroy);
    graphics::LineObject line;
    line.xdata = Matrix::row({0, 1});
    line.ydata = Matrix::row({0, 1});
    line.marker = std::string(1, 'o');  // not from a literal: GCC 12 warns falsely (-Wrestrict)
    LineScratch scratch(8, 8);
    dataPainterFor(cr.get())->line({1, 1, 6, 6, {0, 1}, {0, 1}}, line, scratch, Reduction::Visible);
    cairo_surface_finish(svg.get());
    EXPECT_EQ(cairo_surface_status(svg.get()), CAIRO_STATUS_SUCCESS);
}

}  // namespace
}  // namespace ambiscan::render
