#include "charts/bar.hpp"

#include <gtest/gtest.h>

#include <sstream>

#include "platform/base/RuntimeError.hpp"

namespace ambiscan::charts {
namespace {

using graphics::AxesObject;
using graphics::Graphics;
using graphics::Handle;
using graphics::PatchObject;

Value row(std::initializer_list<double> v) {
    return Value{Matrix::row(v)};
}
Value text(const char* s) {
    return Value{std::string(s)};
}

Matrix positions(std::size_t n, double first = 1) {
    return Matrix::range(first, 1, first + static_cast<double>(n) - 1);
}

TEST(Bar, OneSeriesIsOnePatchOfFourCornerFaces) {
    Graphics g;
    const std::vector<Handle> h = bar(g, {row({5, 10, 15}), row({1, 2, 3}), row({1})});
    ASSERT_EQ(h.size(), 1u);
    const PatchObject& p = g.as<PatchObject>(h[0]);
    ASSERT_EQ(p.faces.rows(), 3u);
    EXPECT_EQ(p.faces.rowAt(0), Matrix::row({2, 3, 4, 5}));
    EXPECT_EQ(p.faces.rowAt(2), Matrix::row({12, 13, 14, 15}));
    EXPECT_EQ(p.vertices.rows(), 16u);
    EXPECT_EQ(p.vertices(1, 0), 2.5);
    EXPECT_EQ(p.vertices(2, 1), 1);
    EXPECT_EQ(p.cdata, Matrix(16, 1, 1.0));
    EXPECT_EQ(std::get<std::string>(g.get(h[0], "FaceColor")), "flat");
    EXPECT_EQ(g.get(h[0], "EdgeColor"), g.get(g.gcf(), "defaultaxesxcolor"));
    EXPECT_EQ(std::get<Matrix>(g.get(g.gca(), "clim")), Matrix::row({1, 2}));
}

TEST(Bar, GroupedSeriesCarryTheirNumberAsColourIndex) {
    Graphics g;
    const std::vector<Handle> h = bar(g, {row({1, 2, 3}), Value{Matrix(3, 3, 1.0)}, text("group")});
    ASSERT_EQ(h.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(g.as<PatchObject>(h[i]).cdata, Matrix(16, 1, static_cast<double>(i + 1)));
    }
    EXPECT_EQ(std::get<std::string>(g.get(g.gca(), "climmode")), "auto");
}

TEST(Bar, FewWholeNumberPositionsGetOneTickPerBar) {
    Graphics g;
    bar(g, {Value{positions(15)}, Value{Matrix(1, 15, 1.0)}});
    EXPECT_EQ(g.as<AxesObject>(g.gca()).xtick, positions(15).toVector());

    Graphics many;
    bar(many, {Value{positions(16)}, Value{Matrix(1, 16, 1.0)}});
    EXPECT_TRUE(many.as<AxesObject>(many.gca()).xtickAuto);

    Graphics fractional;
    bar(fractional, {row({0.5, 1.5, 2.5}), row({1, 1, 1})});
    EXPECT_TRUE(fractional.as<AxesObject>(fractional.gca()).xtickAuto);
}

TEST(Bar, DenseChartsGetEdgesInTheirFaceColour) {
    Graphics g;
    const auto h150 = bar(g, {Value{positions(50)}, Value{Matrix(50, 3, 1.0)}});
    EXPECT_EQ(g.get(h150[0], "EdgeColor"), g.get(g.gcf(), "defaultaxesxcolor"));

    Graphics dense;
    const auto h153 = bar(dense, {Value{positions(51)}, Value{Matrix(51, 3, 1.0)}});
    for (Handle p : h153) {
        EXPECT_EQ(std::get<std::string>(dense.get(p, "EdgeColor")), "flat");
    }
}

TEST(Bar, ColourLetterFillsEverySeries) {
    Graphics g;
    const auto h = bar(g, {Value{Matrix(3, 2, 1.0)}, text("r")});
    ASSERT_EQ(h.size(), 2u);
    for (Handle p : h) {
        EXPECT_EQ(std::get<Matrix>(g.get(p, "FaceColor")), Matrix::row({1, 0, 0}));
    }
}

TEST(Bar, TidiesTheAxesWhenHoldWasOff) {
    Graphics g;
    bar(g, {row({1, 2, 3})});
    const AxesObject& a = g.as<AxesObject>(g.gca());
    EXPECT_TRUE(a.box);
    EXPECT_EQ(a.layer, "bottom");
    EXPECT_FALSE(g.ishold());
}

TEST(Bar, LeavesAHeldAxesAsItWas) {
    Graphics g;
    g.hold(true);
    bar(g, {row({1, 2, 3})});
    bar(g, {row({4, 5, 6})});
    const AxesObject& a = g.as<AxesObject>(g.gca());
    EXPECT_FALSE(a.box);
    EXPECT_TRUE(a.xtickAuto);
    EXPECT_TRUE(g.ishold());
    EXPECT_EQ(g.object(g.gca()).children.size(), 2u);
}

TEST(Bar, ReplacesEarlierBarsWhenHoldIsOff) {
    Graphics g;
    bar(g, {row({1, 2, 3})});
    bar(g, {row({4, 5, 6})});
    EXPECT_EQ(g.object(g.gca()).children.size(), 1u);
}

TEST(Bar, UnequalHistogramBinsAreMarkedOnTheBaseLine) {
    Graphics g;
    bar(g, {row({0, 1, 3}), row({1, 2, 3}), text("hist")});
    const auto& children = g.object(g.gca()).children;
    ASSERT_EQ(children.size(), 2u);
    EXPECT_EQ(std::get<std::string>(g.get(children.front(), "Marker")), "*");
    EXPECT_FALSE(g.ishold());
}

TEST(Bar, EmptyHeightsDrawNothing) {
    Graphics g;
    EXPECT_TRUE(bar(g, {Value{Matrix()}}).empty());
    EXPECT_TRUE(g.object(g.gca()).children.empty());
}

TEST(Bar, LayoutFailureIsRaisedBeforeAnythingIsDrawn) {
    Graphics g;
    try {
        bar(g, {row({1, 2, 3}), text("x")});
        FAIL() << "no error raised";
    } catch (const RuntimeError& e) {
        EXPECT_STREQ(e.what(), "Unrecognized option \"x\".");
    }
    EXPECT_FALSE(g.hasCurrentFigure());
    EXPECT_THROW(bar(g, {row({1}), row({1}), row({1}), row({1}), row({1})}), RuntimeError);
    EXPECT_THROW(bar(g, {}), RuntimeError);
}

TEST(Bar, TwoOutputFormWarnsOnTwoLinesAndReturnsTheOutline) {
    std::ostringstream out, err;
    const Console console{out, err};
    const BarOutline o = barOutline(console, {row({1, 2, 3})});
    EXPECT_EQ(err.str(),
              "Warning: BAR with two output arguments is obsolete.  Use H = BAR(...) \n"
              "         and get the XData and YData properties instead.\n");
    EXPECT_EQ(o.xx.rows(), 16u);
    EXPECT_EQ(o.yy(2, 0), 1);
}

}  // namespace
}  // namespace ambiscan::charts
