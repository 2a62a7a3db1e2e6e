#include "charts/stem.hpp"

#include <gtest/gtest.h>

#include <cmath>

#include "platform/base/RuntimeError.hpp"

namespace ambiscan::charts {
namespace {

using graphics::Graphics;
using graphics::Handle;
using graphics::LineObject;

Value row(std::initializer_list<double> v) {
    return Value{Matrix::row(v)};
}
Value text(const char* s) {
    return Value{std::string(s)};
}

TEST(Stem, ColourAndMarkerSpecKeepsSolidStems) {
    Graphics g;
    const auto h = stem(g, {row({1, 2}), row({3, 4}), text("rs")});
    ASSERT_EQ(h.size(), 2u);
    const LineObject& markers = g.as<LineObject>(h[0]);
    const LineObject& stems = g.as<LineObject>(h[1]);
    EXPECT_EQ(markers.marker, "s");
    EXPECT_EQ(markers.lineStyle, "none");
    EXPECT_EQ(markers.color, (graphics::Rgb{1, 0, 0}));
    EXPECT_EQ(stems.lineStyle, "-");
    EXPECT_EQ(stems.marker, "none");
    EXPECT_EQ(stems.color, (graphics::Rgb{1, 0, 0}));
}

TEST(Stem, StemsRiseFromTheBaseLineWithGapsBetween) {
    Graphics g;
    const auto h = stem(g, {row({1, 2}), row({3, 0})});
    const Matrix xs = std::get<Matrix>(g.get(h[1], "XData"));
    const Matrix ys = std::get<Matrix>(g.get(h[1], "YData"));
    ASSERT_EQ(xs.numel(), 6u);
    ASSERT_EQ(ys.numel(), 6u);
    EXPECT_EQ(xs[0], 1);
    EXPECT_EQ(xs[1], 1);
    EXPECT_TRUE(std::isnan(xs[2]));
    EXPECT_EQ(xs[3], 2);
    EXPECT_EQ(xs[4], 2);
    EXPECT_TRUE(std::isnan(xs[5]));
    EXPECT_EQ(ys[0], 0);
    EXPECT_EQ(ys[1], 3);
    EXPECT_TRUE(std::isnan(ys[2]));
    // A zero height: a marker on the base line, a stem of no length.
    EXPECT_EQ(ys[3], 0);
    EXPECT_EQ(ys[4], 0);
    EXPECT_TRUE(std::isnan(ys[5]));
    EXPECT_EQ(g.as<LineObject>(h[0]).ydata, Matrix::row({3, 0}));
}

TEST(Stem, WithoutLineSpecBothTakeTheAxesFirstLineColour) {
    Graphics reference;
    const Handle plain = reference.plot(Matrix::row({1, 2}), Matrix::row({1, 2}))[0];
    const graphics::Rgb first = reference.as<LineObject>(plain).color;

    Graphics g;
    const auto h = stem(g, {row({3, 4})});
    EXPECT_EQ(g.as<LineObject>(h[0]).marker, "o");
    EXPECT_EQ(g.as<LineObject>(h[0]).color, first);
    EXPECT_EQ(g.as<LineObject>(h[1]).color, first);
    EXPECT_EQ(g.as<LineObject>(h[1]).lineStyle, "-");
}

TEST(Stem, FillTakesTheStemColourInAnyOrder) {
    for (const auto& args : {std::vector<Value>{row({1, 2}), text("fill"), text("m")},
                             std::vector<Value>{row({1, 2}), text("m"), text("F")}}) {
        Graphics g;
        const auto h = stem(g, args);
        const LineObject& markers = g.as<LineObject>(h[0]);
        EXPECT_EQ(markers.markerFaceColor.kind, graphics::ColorSpec::Kind::Rgb);
        EXPECT_EQ(markers.markerFaceColor.rgb, (graphics::Rgb{1, 0, 1}));
    }
}

TEST(Stem, LineStyleAloneKeepsCircleMarkers) {
    Graphics g;
    const auto h = stem(g, {row({1, 2}), text(":")});
    EXPECT_EQ(g.as<LineObject>(h[0]).marker, "o");
    EXPECT_EQ(g.as<LineObject>(h[1]).lineStyle, ":");
}

TEST(Stem, TwoSeriesGiveMarkerLinesFirst) {
    Graphics g;
    const auto h = stem(g, {Value{Matrix(3, 2, 1.0)}});
    ASSERT_EQ(h.size(), 4u);
    EXPECT_EQ(g.as<LineObject>(h[0]).marker, "o");
    EXPECT_EQ(g.as<LineObject>(h[1]).marker, "o");
    EXPECT_EQ(g.as<LineObject>(h[2]).marker, "none");
    EXPECT_EQ(g.as<LineObject>(h[0]).color, g.as<LineObject>(h[2]).color);
    EXPECT_EQ(g.as<LineObject>(h[1]).color, g.as<LineObject>(h[3]).color);
}

TEST(Stem, LeavesHoldAsFound) {
    Graphics held;
    held.hold(true);
    stem(held, {row({1, 2})});
    EXPECT_TRUE(held.ishold());

    Graphics g;
    stem(g, {row({1, 2})});
    EXPECT_FALSE(g.ishold());
    g.plot(Matrix::row({1, 2}), Matrix::row({1, 2}));
    EXPECT_EQ(g.object(g.gca()).children.size(), 1u);
}

TEST(Stem, RejectsUnknownTextsAndMismatchedData) {
    Graphics g;
    try {
        stem(g, {row({1, 2}), text("zz")});
        FAIL() << "no error raised";
    } catch (const RuntimeError& e) {
        EXPECT_STREQ(e.what(), "Unknown option \"zz\".");
    }
    EXPECT_THROW(stem(g, {row({1, 2}), row({1, 2, 3})}), RuntimeError);
    EXPECT_THROW(stem(g, {row({1}), row({1}), row({1})}), RuntimeError);
    EXPECT_THROW(stem(g, {text("r")}), RuntimeError);
}

}  // namespace
}  // namespace ambiscan::charts
