#include "platform/render/detail/LineRaster.hpp"

#include <cairo.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

namespace ambiscan::render {
namespace {

constexpr int kSide = 200;
constexpr double kWidth = 1.2;
const graphics::Rgb kBlack{0, 0, 0};

using Surface = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;

Surface whiteImage() {
    Surface s(cairo_image_surface_create(CAIRO_FORMAT_RGB24, kSide, kSide), cairo_surface_destroy);
    cairo_t* cr = cairo_create(s.get());
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_flush(s.get());
    return s;
}

// How dark a pixel is, 0 (white) to 255 (black).
int ink(cairo_surface_t* s, int x, int y) {
    const unsigned char* row =
        cairo_image_surface_get_data(s) + y * cairo_image_surface_get_stride(s);
    return 255 - static_cast<int>(reinterpret_cast<const std::uint32_t*>(row)[x] & 0xff);
}

double totalInk(cairo_surface_t* s) {
    double sum = 0;
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x)
            sum += ink(s, x, y);
    return sum / 255;
}

LineRaster::Clip wholeImage() {
    return {0, 0, kSide, kSide};
}

TEST(LineRaster, VerticalLineCoversItsWidthExactly) {
    const Surface image = whiteImage();
    LineRaster raster(kSide, kSide);
    raster.begin(kWidth, wholeImage());
    raster.segment(100.5, 20, 100.5, 80);
    raster.blendInto(image.get(), kBlack);
    // 1.2 pixels wide, centred on a pixel: that pixel full, a tenth on either side.
    EXPECT_EQ(ink(image.get(), 100, 50), 255);
    EXPECT_NEAR(ink(image.get(), 99, 50), 26, 1);
    EXPECT_NEAR(ink(image.get(), 101, 50), 26, 1);
    EXPECT_EQ(ink(image.get(), 98, 50), 0);
    EXPECT_EQ(ink(image.get(), 100, 10), 0);
}

TEST(LineRaster, DiagonalLineHoldsAsMuchInkAsCairosStroke) {
    const Surface ours = whiteImage();
    LineRaster raster(kSide, kSide);
    raster.begin(kWidth, wholeImage());
    raster.segment(20, 30, 170, 120);
    raster.blendInto(ours.get(), kBlack);

    const Surface cairos = whiteImage();
    cairo_t* cr = cairo_create(cairos.get());
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_set_line_width(cr, kWidth);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, 20, 30);
    cairo_line_to(cr, 170, 120);
    cairo_stroke(cr);
    cairo_destroy(cr);
    cairo_surface_flush(cairos.get());

    EXPECT_NEAR(totalInk(ours.get()), totalInk(cairos.get()), 0.03 * totalInk(cairos.get()));
    EXPECT_GT(ink(ours.get(), 95, 75), 100);  // on the line
    EXPECT_EQ(ink(ours.get(), 95, 60), 0);    // well off it
}

TEST(LineRaster, ClipKeepsDrawingInsideAndSharesCutPixels) {
    const Surface image = whiteImage();
    LineRaster raster(kSide, kSide);
    raster.begin(kWidth, {10, 10, 120.5, 190});
    raster.segment(50, 100.5, 180, 100.5);
    raster.blendInto(image.get(), kBlack);
    EXPECT_EQ(ink(image.get(), 119, 100), 255);
    EXPECT_NEAR(ink(image.get(), 120, 100), 128, 1);  // half the pixel is inside
    EXPECT_EQ(ink(image.get(), 121, 100), 0);
    EXPECT_EQ(ink(image.get(), 150, 100), 0);
}

TEST(LineRaster, SpikeUpAndDownIsNoDarkerThanOneStroke) {
    const Surface once = whiteImage();
    const Surface spike = whiteImage();
    LineRaster raster(kSide, kSide);
    raster.begin(kWidth, wholeImage());
    raster.segment(100, 150, 100.3, 20);
    raster.blendInto(once.get(), kBlack);
    raster.begin(kWidth, wholeImage());
    raster.segment(100, 150, 100.3, 20);
    raster.segment(100.3, 20, 100, 150);
    raster.blendInto(spike.get(), kBlack);
    for (int y = 15; y < 155; y += 7)
        for (int x = 97; x <= 103; ++x)
            ASSERT_EQ(ink(spike.get(), x, y), ink(once.get(), x, y)) << x << "," << y;
}

TEST(LineRaster, StrokesThatCrossLaterCombineAsOverlappingStrokes) {
    const Surface image = whiteImage();
    LineRaster raster(kSide, kSide);
    raster.begin(kWidth, wholeImage());
    // On a pixel boundary: the two pixels beside it get 0.6 each.
    raster.segment(100, 20, 100, 80);
    raster.segment(100, 80, 150, 80);  // a segment between, so the next is no joint
    raster.segment(100, 20, 100, 80);
    raster.blendInto(image.get(), kBlack);
    // 0.6 + 0.6 * (1 - 0.6) = 0.84 of the pixel.
    EXPECT_NEAR(ink(image.get(), 100, 50), 214, 2);
    EXPECT_NEAR(ink(image.get(), 99, 50), 214, 2);
}

TEST(LineRaster, StartsCleanForEveryLine) {
    const Surface first = whiteImage();
    const Surface second = whiteImage();
    LineRaster raster(kSide, kSide);
    raster.begin(kWidth, wholeImage());
    raster.segment(30, 30, 170, 170);
    raster.blendInto(first.get(), kBlack);
    raster.begin(kWidth, wholeImage());
    raster.blendInto(second.get(), kBlack);
    EXPECT_EQ(totalInk(second.get()), 0);
}

}  // namespace
}  // namespace ambiscan::render
