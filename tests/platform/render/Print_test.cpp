#include "platform/render/Print.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "PngReader.hpp"
#include "platform/base/RuntimeError.hpp"
#include "platform/render/detail/AxesLayout.hpp"

namespace ambiscan::render {
namespace {

using graphics::Graphics;
using graphics::Handle;
using testing::Image;
using testing::readPng;

namespace fs = std::filesystem;

class RenderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("ambiscan_render_" + std::to_string(getpid()) + "_" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    Image render(const Graphics& g, const std::string& name = "figure.png") {
        const std::string file = (folder_ / name).string();
        print(g, "-dpng", file);
        return readPng(file);
    }
    // Where the axes sits in the picture, as the renderer lays it out.
    Frame frameOf(const Graphics& g, Handle axes) {
        cairo_surface_t* s =
            cairo_image_surface_create(CAIRO_FORMAT_RGB24, kFigureWidth, kFigureHeight);
        cairo_t* cr = cairo_create(s);
        Frame f;
        {
            TextPainter text(cr);
            f = layoutAxes(g, axes, text, kFigureWidth, kFigureHeight).frame;
        }
        cairo_destroy(cr);
        cairo_surface_destroy(s);
        return f;
    }
    int entriesInFolder() const {
        return static_cast<int>(
            std::distance(fs::directory_iterator(folder_), fs::directory_iterator()));
    }

    fs::path folder_;
};

TEST_F(RenderTest, WritesDecodablePngOfFigureSize) {
    Graphics g;
    g.plot(Matrix(), Matrix::row({1, 3, 2}));
    const Image image = render(g);
    EXPECT_EQ(image.width, kFigureWidth);
    EXPECT_EQ(image.height, kFigureHeight);
    EXPECT_TRUE(image.white(2, 2));  // white figure
}

TEST_F(RenderTest, LineLeavesInkAlongItsPathOnly) {
    Graphics g;
    g.plot(Matrix::row({0, 10}), Matrix::row({5, 5}), "r-", {{"linewidth", Matrix::scalar(2)}});
    g.axis({0, 10, 0, 10});
    const Image image = render(g);
    const Frame f = frameOf(g, g.gca());
    const int y = static_cast<int>(std::lround(f.py(5)));
    for (const double x : {1.0, 3.3, 5.0, 8.7}) {
        const int px = static_cast<int>(std::lround(f.px(x)));
        EXPECT_TRUE(image.reddish(px, y) || image.reddish(px, y - 1)) << x;
        // Nothing above or below the line inside the axes.
        EXPECT_TRUE(image.white(px, static_cast<int>(f.py(8)))) << x;
        EXPECT_TRUE(image.white(px, static_cast<int>(f.py(2)))) << x;
    }
}

TEST_F(RenderTest, NaNBreaksTheLine) {
    Graphics g;
    g.plot(Matrix::row({0, 4, 6, 10}), Matrix::row({5, 5, NAN, 5}), "r-",
           {{"linewidth", Matrix::scalar(2)}});
    g.axis({0, 10, 0, 10});
    const Image image = render(g);
    const Frame f = frameOf(g, g.gca());
    const int y = static_cast<int>(std::lround(f.py(5)));
    auto redNear = [&](double x) {
        const int px = static_cast<int>(std::lround(f.px(x)));
        return image.reddish(px, y) || image.reddish(px, y - 1) || image.reddish(px, y + 1);
    };
    EXPECT_TRUE(redNear(2));
    EXPECT_FALSE(redNear(5));  // the gap around the NaN point
    EXPECT_FALSE(redNear(8));  // a single point after the NaN has no segment
}

TEST_F(RenderTest, GridLinesAtTicksOnlyWhenSwitchedOn) {
    Graphics g;
    g.axis({0, 10, 0, 10});
    const Frame f = frameOf(g, g.gca());
    const int y = static_cast<int>(f.py(5.5));
    const int between = static_cast<int>(std::lround(f.px(5.5)));
    const int onTick = static_cast<int>(std::floor(f.px(6)));
    const Image off = render(g, "off.png");
    EXPECT_TRUE(off.white(onTick, y));
    g.set(g.gca(), {{"XGrid", std::string("on")}, {"YGrid", std::string("on")}});
    const Image on = render(g, "on.png");
    EXPECT_FALSE(on.white(onTick, y));
    EXPECT_TRUE(on.white(between, y));
    EXPECT_FALSE(on.dark(onTick, y));  // grid lines are light
}

TEST_F(RenderTest, MarkerDrawnAtItsPointAndNoLineBetweenMarkers) {
    Graphics g;
    g.plot(Matrix::row({2, 8}), Matrix::row({5, 5}), "ks", {{"markersize", Matrix::scalar(10)}});
    g.axis({0, 10, 0, 10});
    const Image image = render(g);
    const Frame f = frameOf(g, g.gca());
    const int y = static_cast<int>(std::lround(f.py(5)));
    const int x = static_cast<int>(std::lround(f.px(2)));
    // A square's outline left of its centre, and nothing halfway between the two markers.
    bool ink = false;
    for (int dx = -12; dx <= -3; ++dx)
        ink = ink || image.dark(x + dx, y);
    EXPECT_TRUE(ink);
    EXPECT_TRUE(image.white(static_cast<int>(std::lround(f.px(5))), y));
}

TEST_F(RenderTest, FilledPatchHasItsColourInside) {
    Graphics g;
    const Matrix v(4, 2, std::vector<double>{2, 2, 8, 8, 0, 6, 6, 0});
    g.patch(
        {{"faces", Matrix::row({1, 2, 3, 4})}, {"vertices", v}, {"FaceColor", std::string("r")}});
    g.axis({0, 10, 0, 10});
    const Image image = render(g);
    const Frame f = frameOf(g, g.gca());
    EXPECT_TRUE(image.reddish(static_cast<int>(f.px(5)), static_cast<int>(f.py(3))));
    EXPECT_TRUE(image.white(static_cast<int>(f.px(5)), static_cast<int>(f.py(8))));
}

TEST_F(RenderTest, SameFigureGivesSameBytes) {
    Graphics g;
    g.plot(Matrix(), Matrix::row({1, 3, 2}), "b-o");
    g.legend({}, {"data"});
    print(g, "-dpng", (folder_ / "a.png").string());
    print(g, "-dpng", (folder_ / "b.png").string());
    std::ifstream a(folder_ / "a.png", std::ios::binary), b(folder_ / "b.png", std::ios::binary);
    const std::string bytesA((std::istreambuf_iterator<char>(a)), {});
    const std::string bytesB((std::istreambuf_iterator<char>(b)), {});
    EXPECT_FALSE(bytesA.empty());
    EXPECT_EQ(bytesA, bytesB);
}

TEST_F(RenderTest, ReusedCanvasDrawsTheSamePixelsAsANewOne) {
    // A crowded figure first leaves the canvas and its line memory used; the next figure must
    // not show any of it.
    Graphics crowded;
    Matrix y(1, 5000);
    for (std::size_t i = 0; i < y.numel(); ++i)
        y[i] = std::sin(static_cast<double>(i) * 0.37) * (i % 7 == 0 ? 10 : 1);
    crowded.plot(Matrix(), y, "r-x");
    Graphics plain;
    plain.plot(Matrix(), Matrix::row({1, 3, 2}), "b-o");

    const auto samePixels = [](const RenderedFigure& one, const RenderedFigure& other) {
        const PixelRows a = one.pixels(), b = other.pixels();
        return a.width == b.width && a.height == b.height && a.stride == b.stride &&
               std::memcmp(a.data, b.data, static_cast<std::size_t>(a.stride) * a.height) == 0;
    };
    RenderedFigure canvas;
    renderFigurePixels(crowded, crowded.currentFigureHandle(), canvas);
    renderFigurePixels(plain, plain.currentFigureHandle(), canvas);
    const RenderedFigure fresh = renderFigurePixels(plain, plain.currentFigureHandle());
    EXPECT_TRUE(samePixels(canvas, fresh));

    // Made smaller in its own memory and back: each size draws as a new canvas of that size.
    canvas.resize(300, 200);
    renderFigurePixels(crowded, crowded.currentFigureHandle(), canvas);
    RenderedFigure small(300, 200);
    renderFigurePixels(crowded, crowded.currentFigureHandle(), small);
    EXPECT_TRUE(samePixels(canvas, small));
    canvas.resize(kFigureWidth, kFigureHeight);
    renderFigurePixels(plain, plain.currentFigureHandle(), canvas);
    EXPECT_TRUE(samePixels(canvas, fresh));
}

TEST_F(RenderTest, AnyTextRendersWithoutFailing) {
    Graphics g;
    g.plot(Matrix(), Matrix::row({1, 2}));
    g.text(1, 1.5,
           {"Ελληνικά Русский 日本語 العربية", std::string("bad \xC3\x28 \xFF bytes\t"), ""});
    const Handle title = std::get<Matrix>(g.get(g.gca(), "title"))[0];
    g.set(title, "string", std::string(400, 'W'));
    EXPECT_EQ(render(g).width, kFigureWidth);
}

TEST_F(RenderTest, FailureNamesFileAndLeavesNoTemporaryFile) {
    Graphics g;
    g.plot(Matrix(), Matrix::row({1, 2}));
    fs::create_directory(folder_ / "taken.png");
    try {
        print(g, "-dpng", (folder_ / "taken.png").string());
        FAIL();
    } catch (const RuntimeError& e) {
        const std::string message = e.what();
        EXPECT_NE(message.find("taken.png"), std::string::npos);
        EXPECT_EQ(message.find('\n'), std::string::npos);
    }
    EXPECT_EQ(entriesInFolder(), 1);  // the directory that was in the way, nothing else
    EXPECT_THROW(print(g, "-dpng", (folder_ / "missing" / "x.png").string()), RuntimeError);
}

TEST_F(RenderTest, OnlyPngDeviceAndAnExistingFigure) {
    Graphics g;
    EXPECT_THROW(print(g, "-dpng", (folder_ / "none.png").string()), RuntimeError);
    g.figure();
    EXPECT_THROW(print(g, "-djpeg", (folder_ / "x.jpg").string()), RuntimeError);
    EXPECT_NO_THROW(print(g, "-DPNG", (folder_ / "empty.png").string()));
}

}  // namespace
}  // namespace ambiscan::render
