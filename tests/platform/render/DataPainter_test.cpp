#include "platform/render/detail/DataPainter.hpp"

#include <cairo.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <limits>
#include <memory>
#include <random>

#include "platform/render/Print.hpp"
#include "platform/render/detail/FigureRenderer.hpp"

namespace ambiscan::render {
namespace {

using Surface = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;

Surface render(const graphics::Graphics& g, Reduction reduction) {
    Surface s(cairo_image_surface_create(CAIRO_FORMAT_RGB24, kFigureWidth, kFigureHeight),
              cairo_surface_destroy);
    renderFigure(g, g.currentFigureHandle(), s.get(), reduction);
    cairo_surface_flush(s.get());
    return s;
}

struct Difference {
    double meanLevel = 0;       // mean absolute difference per channel, in levels of 255
    double strongFraction = 0;  // share of pixels differing by more than 96 levels
    std::size_t changedPixels = 0;
};

Difference compare(cairo_surface_t* a, cairo_surface_t* b) {
    const int stride = cairo_image_surface_get_stride(a);
    const unsigned char* pa = cairo_image_surface_get_data(a);
    const unsigned char* pb = cairo_image_surface_get_data(b);
    Difference d;
    std::size_t strong = 0;
    double sum = 0;
    for (int y = 0; y < kFigureHeight; ++y) {
        const auto* ra = reinterpret_cast<const std::uint32_t*>(pa + y * stride);
        const auto* rb = reinterpret_cast<const std::uint32_t*>(pb + y * stride);
        for (int x = 0; x < kFigureWidth; ++x) {
            int worst = 0;
            for (int shift = 0; shift < 24; shift += 8) {
                const int ca = static_cast<int>((ra[x] >> shift) & 0xff);
                const int cb = static_cast<int>((rb[x] >> shift) & 0xff);
                worst = std::max(worst, std::abs(ca - cb));
                sum += std::abs(ca - cb);
            }
            d.changedPixels += worst > 0 ? 1 : 0;
            strong += worst > 96 ? 1 : 0;
        }
    }
    const double pixels = static_cast<double>(kFigureWidth) * kFigureHeight;
    d.meanLevel = sum / (3 * pixels);
    d.strongFraction = static_cast<double>(strong) / pixels;
    return d;
}

Matrix column(std::size_t n, const std::function<double(std::size_t)>& f) {
    Matrix m(n, 1);
    for (std::size_t i = 0; i < n; ++i)
        m[i] = f(i);
    return m;
}

Matrix noise(std::size_t n, unsigned seed, double spread) {
    std::mt19937 random(seed);
    std::normal_distribution<double> d(0.0, spread);
    return column(n, [&](std::size_t) { return d(random); });
}

void expectLooksTheSame(const graphics::Graphics& g, double meanLevel = 3.0,
                        double strongFraction = 0.002) {
    const Surface reduced = render(g, Reduction::Visible);
    const Surface full = render(g, Reduction::Everything);
    const Difference d = compare(reduced.get(), full.get());
    // Anti-aliased edges of crossing strokes blend a level or two apart; nothing moves.
    EXPECT_LT(d.meanLevel, meanLevel);
    EXPECT_LT(d.strongFraction, strongFraction);
}

TEST(ReducedDrawing, DenseMarkedLinesLookTheSameAsEveryPointDrawn) {
    graphics::Graphics g;
    g.figure();
    const std::size_t n = 5000;
    const Matrix x = column(n, [](std::size_t i) { return static_cast<double>(i); });
    g.plot(x, noise(n, 1, 0.01), "r-x");
    g.hold(true);
    g.plot(x, noise(n, 2, 0.01), "g-x");
    g.plot(x, noise(n, 3, 0.02), "b-x");
    expectLooksTheSame(g);
}

TEST(ReducedDrawing, CrowdedNoiseWithBadFixesLooksTheSame) {
    // Dozens of points a pixel column, now and then a bad fix whose strokes span the height.
    graphics::Graphics g;
    g.figure();
    const std::size_t n = 40000;
    std::mt19937 random(9);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::normal_distribution<double> good(0.0, 0.015);
    g.plot(column(n, [](std::size_t i) { return static_cast<double>(i); }),
           column(n,
                  [&](std::size_t) {
                      return unit(random) < 0.01 ? unit(random) - 0.5 : good(random);
                  }),
           "r-");
    // Drawn whole, the columns of the band are filled from side to side; reduced, a stroke or
    // two a column leaves some of their width lighter. The bad fixes are all there.
    expectLooksTheSame(g, 4.0, 0.005);
}

TEST(ReducedDrawing, CrowdedSmoothCurveLooksTheSame) {
    // Dozens of points a pixel column along nearly level strokes: the columns' width counts.
    graphics::Graphics g;
    g.figure();
    const std::size_t n = 40000;
    g.plot(column(n, [](std::size_t i) { return static_cast<double>(i); }),
           column(n, [](std::size_t i) { return std::sin(static_cast<double>(i) * 3e-4); }), "k-");
    expectLooksTheSame(g);
}

TEST(ReducedDrawing, CrowdedColumnsCutByGapsAndFarPointsLookTheSame) {
    // A few points a column, whose runs end at a gap (NaN) or at a point far outside the axes;
    // the first and last columns lie on the edges of the axes.
    graphics::Graphics g;
    g.figure();
    const std::size_t n = 4000;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    std::mt19937 random(13);
    std::normal_distribution<double> good(0.0, 0.02);
    const Matrix y = column(n, [&](std::size_t i) {
        if (i % 37 == 0)
            return nan;
        if (i % 53 == 0)
            return 1e6 * (i % 2 == 0 ? 1.0 : -1.0);
        return good(random);
    });
    g.plot(column(n, [](std::size_t i) { return static_cast<double>(i); }), y, "b-x");
    g.axis({0, static_cast<double>(n), -0.5, 0.5});
    expectLooksTheSame(g);
}

TEST(ReducedDrawing, MarkedLineIsItsLineWithItsMarkersDrawnOver) {
    // One marked line paints its line and its markers' edges together; drawn as two lines, the
    // markers go over the line. Only rounding may tell them apart.
    const std::size_t n = 3000;
    const Matrix x = column(n, [](std::size_t i) { return static_cast<double>(i); });
    const Matrix y = noise(n, 4, 0.01);
    // A colour whose blends round: with pure channels over white they come out exact.
    const Value teal(Matrix::row({0.1, 0.55, 0.7}));
    graphics::Graphics together;
    together.figure();
    together.set(together.plot(x, y, "-x").front(), "Color", teal);
    graphics::Graphics apart;
    apart.figure();
    apart.set(apart.plot(x, y, "-").front(), "Color", teal);
    apart.hold(true);
    apart.set(apart.plot(x, y, "x").front(), "Color", teal);
    const Surface a = render(together, Reduction::Visible);
    const Surface b = render(apart, Reduction::Visible);
    const Difference d = compare(a.get(), b.get());
    EXPECT_GT(d.changedPixels, 0u);  // rounded once here, twice there
    EXPECT_LT(d.meanLevel, 0.05);
    EXPECT_EQ(d.strongFraction, 0.0);
}

TEST(ReducedDrawing, CrowdedStemsWithOpenCirclesLookTheSame) {
    // Stems as one line broken by NaN, as the stem chart draws them, and the circles apart.
    graphics::Graphics g;
    g.figure();
    const std::size_t n = 3000;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    std::mt19937 random(7);
    std::lognormal_distribution<double> t(3.3, 0.6);
    const Matrix heights = column(n, [&](std::size_t) { return t(random); });
    Matrix xx(3 * n, 1), yy(3 * n, 1);
    for (std::size_t i = 0; i < n; ++i) {
        xx[3 * i] = xx[3 * i + 1] = static_cast<double>(i);
        xx[3 * i + 2] = nan;
        yy[3 * i] = 0;
        yy[3 * i + 1] = heights[i];
        yy[3 * i + 2] = nan;
    }
    g.plot(column(n, [](std::size_t i) { return static_cast<double>(i); }), heights, "bo");
    g.hold(true);
    g.plot(xx, yy, "b-");
    expectLooksTheSame(g);
}

TEST(CompactStems, DrawExactlyThePixelsOfTheBrokenLineTheyStandFor) {
    // The same stems kept once as NaN-broken triples and once compactly, in both drawings.
    const std::size_t n = 2000;
    std::mt19937 random(11);
    std::lognormal_distribution<double> t(3.3, 0.6);
    const Matrix heights = column(n, [&](std::size_t) { return t(random); });
    const Matrix xs = column(n, [](std::size_t i) { return static_cast<double>(i % 700) - 50; });
    const double nan = std::numeric_limits<double>::quiet_NaN();
    Matrix xx(3 * n, 1), yy(3 * n, 1);
    for (std::size_t i = 0; i < n; ++i) {
        xx[3 * i] = xx[3 * i + 1] = xs[i];
        xx[3 * i + 2] = yy[3 * i + 2] = nan;
        yy[3 * i + 1] = heights[i];
    }
    graphics::Graphics plain;
    plain.figure();
    plain.plot(xx, yy, "m-");
    graphics::Graphics compact;
    compact.figure();
    const auto h = compact.plot(xs, heights, "m-");
    compact.as<graphics::LineObject>(h.front()).stemsFromZero = true;
    for (const Reduction r : {Reduction::Visible, Reduction::Everything}) {
        const Surface a = render(plain, r);
        const Surface b = render(compact, r);
        EXPECT_EQ(compare(a.get(), b.get()).changedPixels, 0u);
    }
}

TEST(ReducedDrawing, FewFilledMarkersDifferOnlyAtTheirEdges) {
    graphics::Graphics g;
    g.figure();
    const std::size_t n = 40;
    const auto h = g.plot(column(n, [](std::size_t i) { return static_cast<double>(i); }),
                          noise(n, 5, 1.0), "ks-");
    g.set(h.front(), "MarkerFaceColor", Value(std::string("y")));
    const Surface reduced = render(g, Reduction::Visible);
    const Surface full = render(g, Reduction::Everything);
    const Difference d = compare(reduced.get(), full.get());
    EXPECT_LT(d.meanLevel, 0.2);
    EXPECT_LT(d.strongFraction, 0.0005);
}

TEST(ReducedDrawing, StampedMarkerKeepsItsPlaceAndSize) {
    // One big red square: its red area and its centre agree with the drawn path's.
    graphics::Graphics g;
    g.figure();
    const auto h = g.plot(Matrix::scalar(0.3), Matrix::scalar(0.6), "rs");
    g.set(h.front(), "MarkerFaceColor", Value(std::string("r")));
    g.set(h.front(), "MarkerSize", Value(Matrix::scalar(20)));
    g.axis({0, 1, 0, 1});
    struct Blob {
        double count = 0, x = 0, y = 0;
    };
    auto redBlob = [](cairo_surface_t* s) {
        const int stride = cairo_image_surface_get_stride(s);
        const unsigned char* data = cairo_image_surface_get_data(s);
        Blob b;
        for (int y = 0; y < kFigureHeight; ++y) {
            for (int x = 0; x < kFigureWidth; ++x) {
                const auto p = *reinterpret_cast<const std::uint32_t*>(data + y * stride + 4 * x);
                if ((p & 0xffffff) == 0xff0000) {
                    b.count += 1;
                    b.x += x;
                    b.y += y;
                }
            }
        }
        b.x /= b.count;
        b.y /= b.count;
        return b;
    };
    const Surface reduced = render(g, Reduction::Visible);
    const Surface full = render(g, Reduction::Everything);
    const Blob a = redBlob(reduced.get());
    const Blob b = redBlob(full.get());
    ASSERT_GT(b.count, 400);
    EXPECT_NEAR(a.count, b.count, 0.05 * b.count);
    EXPECT_NEAR(a.x, b.x, 0.25);
    EXPECT_NEAR(a.y, b.y, 0.25);
}

}  // namespace
}  // namespace ambiscan::render
