#include "platform/graphics/Graphics.hpp"

#include <gtest/gtest.h>

#include <cmath>

#include "platform/base/RuntimeError.hpp"

namespace ambiscan::graphics {
namespace {

Matrix numbers(const Value& v) {
    return std::get<Matrix>(v);
}
std::string text(const Value& v) {
    return std::get<std::string>(v);
}

TEST(GraphicsObjects, GcaMakesFigureAndAxesOnDemand) {
    Graphics g;
    EXPECT_FALSE(g.hasCurrentFigure());
    const Handle ax = g.gca();
    EXPECT_TRUE(g.hasCurrentFigure());
    EXPECT_EQ(text(g.get(ax, "type")), "axes");
    EXPECT_EQ(text(g.get(g.gcf(), "Type")), "figure");
    EXPECT_EQ(g.gca(), ax);
    EXPECT_EQ(numbers(g.get(ax, "parent"))[0], g.gcf());
}

TEST(GraphicsObjects, FigureHandleMakesItCurrentAgainAndCloseDeletesIt) {
    Graphics g;
    const Handle first = g.figure();
    const Handle firstAxes = g.gca();
    const Handle second = g.figure();
    EXPECT_NE(first, second);
    g.figure(first);
    EXPECT_EQ(g.gcf(), first);
    EXPECT_EQ(g.gca(), firstAxes);
    g.close();
    EXPECT_FALSE(g.ishandle(first));
    EXPECT_FALSE(g.ishandle(firstAxes));
    EXPECT_TRUE(g.ishandle(second));
}

TEST(GraphicsObjects, TakenFigureKeepsEverythingItHeldAndIsClosedHere) {
    Graphics g;
    const Handle other = g.figure();
    g.plot(Matrix::row({5, 6}), Matrix::row({7, 8}));
    const Handle fig = g.figure();
    const Handle line = g.plot(Matrix::row({1, 2, 3}), Matrix::row({4, 5, 6}), "r--")[0];
    const Handle ax = g.gca();
    g.set(g.as<AxesObject>(ax).title, "String", Value(std::string("T")));
    const Handle legend = g.legend({line}, {"one"});
    const auto limits = g.axis();

    Graphics taken = g.takeCurrentFigure();
    EXPECT_FALSE(g.ishandle(fig));
    EXPECT_FALSE(g.ishandle(line));
    EXPECT_FALSE(g.ishandle(legend));
    EXPECT_TRUE(g.ishandle(other));
    EXPECT_EQ(g.gcf(), other);

    EXPECT_EQ(taken.currentFigureHandle(), fig);
    EXPECT_EQ(taken.gca(), ax);
    EXPECT_EQ(numbers(taken.get(line, "XData")), Matrix::row({1, 2, 3}));
    EXPECT_EQ(text(taken.get(line, "LineStyle")), "--");
    EXPECT_EQ(text(taken.get(taken.as<AxesObject>(ax).title, "String")), "T");
    EXPECT_TRUE(taken.ishandle(legend));
    EXPECT_FALSE(taken.ishandle(other));
    EXPECT_EQ(taken.axis(), limits);
}

TEST(GraphicsObjects, ChildrenListNewestFirst) {
    Graphics g;
    const auto a = g.plot(Matrix(), Matrix::row({1, 2, 3}));
    g.hold(true);
    const auto b = g.plot(Matrix(), Matrix::row({3, 2, 1}));
    const Matrix children = numbers(g.get(g.gca(), "children"));
    ASSERT_EQ(children.numel(), 2u);
    EXPECT_EQ(children[0], b[0]);
    EXPECT_EQ(children[1], a[0]);
}

TEST(GraphicsProperties, NamesIgnoreLetterCase) {
    Graphics g;
    const auto h = g.plot(Matrix(), Matrix::row({1, 2}));
    g.set(h[0], "LineWidth", Matrix::scalar(2));
    EXPECT_EQ(numbers(g.get(h[0], "linewidth"))[0], 2);
    g.set(h[0], "COLOR", Matrix::row({1, 0, 0}));
    EXPECT_EQ(g.as<LineObject>(h[0]).color, (Rgb{1, 0, 0}));
    g.set(g.gca(), "xgrid", std::string("ON"));
    EXPECT_EQ(text(g.get(g.gca(), "XGrid")), "on");
}

TEST(GraphicsProperties, UnknownNameAndWrongTypeNameTheProperty) {
    Graphics g;
    const auto h = g.plot(Matrix(), Matrix::row({1, 2}));
    try {
        g.set(h[0], "LineWidht", Matrix::scalar(2));
        FAIL();
    } catch (const RuntimeError& e) {
        EXPECT_NE(std::string(e.what()).find("LineWidht"), std::string::npos);
    }
    try {
        g.set(h[0], "markersize", std::string("big"));
        FAIL();
    } catch (const RuntimeError& e) {
        EXPECT_NE(std::string(e.what()).find("markersize"), std::string::npos);
    }
    EXPECT_THROW(g.get(g.gca(), "nosuch"), RuntimeError);
    EXPECT_THROW(g.set(g.gca(), "XGrid", std::string("maybe")), RuntimeError);
    EXPECT_THROW(g.set(g.gca(), "type", std::string("line")), RuntimeError);
}

TEST(GraphicsProperties, PairsAreWrittenInOrderAndOnEveryHandle) {
    Graphics g;
    const auto h = g.plot(Matrix(), Matrix(3, 2, 1.0));
    ASSERT_EQ(h.size(), 2u);
    g.set(h, "LineStyle", std::string("--"));
    const auto styles = g.get(h, "linestyle");
    EXPECT_EQ(text(styles[0]), "--");
    EXPECT_EQ(text(styles[1]), "--");
    g.set(h[0], PropertyList{{"linewidth", Matrix::scalar(1)}, {"LineWidth", Matrix::scalar(3)}});
    EXPECT_EQ(g.as<LineObject>(h[0]).lineWidth, 3);
}

TEST(GraphicsProperties, TickLabelsFromBarTextOrCellRow) {
    Graphics g;
    const Handle ax = g.gca();
    g.set(ax, PropertyList{{"XTick", Matrix::row({0, 100, 200})},
                           {"XTickLabel", std::string("0|100|200")}});
    EXPECT_EQ(std::get<CellRow>(g.get(ax, "xticklabel")), (CellRow{"0", "100", "200"}));
    g.set(ax, "XTickLabel", CellRow{"Day4  00:00", "01:00", "02:00"});
    EXPECT_EQ(g.resolvedX(ax).labels[0], "Day4  00:00");
    EXPECT_EQ(g.resolvedX(ax).ticks, (std::vector<double>{0, 100, 200}));
}

TEST(GraphicsProperties, AxesTextObjectsAreHandlesOfTexts) {
    Graphics g;
    const Handle ax = g.gca();
    const Handle title = numbers(g.get(ax, "title"))[0];
    EXPECT_EQ(text(g.get(title, "type")), "text");
    g.set(title,
          PropertyList{{"string", std::string("A_b^c")}, {"Interpreter", std::string("none")}});
    EXPECT_EQ(text(g.get(title, "String")), "A_b^c");
    g.set(title, "string", CellRow{"one", "two"});
    EXPECT_EQ(g.as<TextObject>(title).lines.size(), 2u);
}

TEST(GraphicsHold, HoldOnAddsAndHoldOffReplaces) {
    Graphics g;
    g.plot(Matrix(), Matrix::row({1, 2}));
    g.hold(true);
    EXPECT_TRUE(g.ishold());
    g.plot(Matrix(), Matrix::row({2, 3}));
    EXPECT_EQ(g.object(g.gca()).children.size(), 2u);
    g.hold(false);
    EXPECT_FALSE(g.ishold());
    g.plot(Matrix(), Matrix::row({2, 3}));
    EXPECT_EQ(g.object(g.gca()).children.size(), 1u);
}

TEST(GraphicsHold, ReplaceResetsAxesPropertiesAndDeletesTheLegend) {
    Graphics g;
    const auto h = g.plot(Matrix(), Matrix::row({1, 2}));
    const Handle ax = g.gca();
    g.set(ax, PropertyList{{"XGrid", std::string("on")}, {"xlim", Matrix::row({0, 5})}});
    const Handle leg = g.legend(h, {"one"});
    const Handle title = numbers(g.get(ax, "title"))[0];
    g.set(title, "string", std::string("old"));
    g.newplot();
    EXPECT_TRUE(g.object(ax).children.empty());
    EXPECT_EQ(text(g.get(ax, "XGrid")), "off");
    EXPECT_EQ(text(g.get(ax, "xlimmode")), "auto");
    EXPECT_FALSE(g.ishandle(leg));
    EXPECT_FALSE(g.ishandle(h[0]));
    EXPECT_TRUE(g.as<TextObject>(title).lines.empty());
}

TEST(GraphicsHold, ReplaceChildrenKeepsAxesProperties) {
    Graphics g;
    g.plot(Matrix(), Matrix::row({1, 2}));
    const Handle ax = g.gca();
    g.set(ax,
          PropertyList{{"XGrid", std::string("on")}, {"NextPlot", std::string("ReplaceChildren")}});
    g.newplot();
    EXPECT_TRUE(g.object(ax).children.empty());
    EXPECT_EQ(text(g.get(ax, "xgrid")), "on");
}

TEST(GraphicsPlot, OneLinePerColumnWithColourOrder) {
    Graphics g;
    const auto h = g.plot(Matrix::column({1, 2, 3}), Matrix(3, 3, 1.0));
    ASSERT_EQ(h.size(), 3u);
    EXPECT_NE(g.as<LineObject>(h[0]).color, g.as<LineObject>(h[1]).color);
    EXPECT_NE(g.as<LineObject>(h[1]).color, g.as<LineObject>(h[2]).color);
    EXPECT_EQ(g.as<LineObject>(h[2]).xdata, Matrix::row({1, 2, 3}));
}

TEST(GraphicsPlot, LineSpecGivesColourStyleAndMarker) {
    Graphics g;
    const auto redCross = g.plot(Matrix(), Matrix::row({1, 2}), "r-x");
    const LineObject& l = g.as<LineObject>(redCross[0]);
    EXPECT_EQ(l.color, (Rgb{1, 0, 0}));
    EXPECT_EQ(l.lineStyle, "-");
    EXPECT_EQ(l.marker, "x");
    const auto markersOnly = g.plot(Matrix(), Matrix::row({1, 2}), "bo");
    EXPECT_EQ(g.as<LineObject>(markersOnly[0]).lineStyle, "none");
    EXPECT_THROW(g.plot(Matrix(), Matrix::row({1, 2}), "rq"), RuntimeError);
}

TEST(GraphicsPlot, PropertiesFollowTheLineSpec) {
    Graphics g;
    const auto h = g.plot(Matrix::row({0, 5}), Matrix::row({1, 2}), "-x",
                          {{"linewidth", Matrix::scalar(2)}, {"color", Matrix::row({0, 0.5, 0})}});
    EXPECT_EQ(g.as<LineObject>(h[0]).lineWidth, 2);
    EXPECT_EQ(g.as<LineObject>(h[0]).color, (Rgb{0, 0.5, 0}));
}

TEST(GraphicsPlot, ParentPropertyMovesTheLine) {
    Graphics g;
    const Handle first = g.gca();
    g.figure();
    const auto h = g.plot(Matrix(), Matrix::row({1, 2}), "", {{"parent", Matrix::scalar(first)}});
    EXPECT_EQ(g.object(h[0]).parent, first);
    EXPECT_EQ(g.object(first).children.front(), h[0]);
    EXPECT_TRUE(g.object(g.gca()).children.empty());
}

TEST(GraphicsLegend, IsFigureChildOfTypeAxesTaggedLegend) {
    Graphics g;
    const auto h = g.plot(Matrix(), Matrix::row({1, 2}));
    const Handle leg = g.legend(h, {"first"}, 4);
    EXPECT_EQ(text(g.get(leg, "type")), "axes");
    EXPECT_EQ(text(g.get(leg, "tag")), "legend");
    EXPECT_EQ(g.object(leg).parent, g.gcf());
    g.set(leg, PropertyList{{"FontName", std::string("courier")}, {"FontSize", Matrix::scalar(8)}});
    EXPECT_EQ(g.as<LegendObject>(leg).fontName, "courier");
    EXPECT_EQ(g.as<LegendObject>(leg).location, 4);
    // A second legend of the same axes replaces the first.
    const Handle again = g.legend(h, {"again"});
    EXPECT_FALSE(g.ishandle(leg));
    EXPECT_TRUE(g.ishandle(again));
}

TEST(GraphicsLegend, TextsAloneDescribeObjectsInDrawingOrder) {
    Graphics g;
    g.hold(true);
    const auto a = g.plot(Matrix(), Matrix::row({1, 2}));
    const auto b = g.plot(Matrix(), Matrix::row({2, 1}));
    const Handle leg = g.legend({}, {"a", "b"});
    EXPECT_EQ(g.as<LegendObject>(leg).entries, (std::vector<Handle>{a[0], b[0]}));
}

TEST(GraphicsPatch, FlatColourLimitsComeFromCdataUnlessSet) {
    Graphics g;
    const Matrix v(4, 2, std::vector<double>{0, 0, 1, 1, 0, 1, 1, 0});
    const Handle p1 = g.patch({{"faces", Matrix::row({1, 2, 3, 4})},
                               {"vertices", v},
                               {"cdata", Matrix(4, 1, 1.0)},
                               {"FaceColor", std::string("flat")}});
    g.patch({{"faces", Matrix::row({1, 2, 3, 4})}, {"vertices", v}, {"cdata", Matrix(4, 1, 3.0)}});
    EXPECT_EQ(numbers(g.get(g.gca(), "clim")), Matrix::row({1, 3}));
    EXPECT_EQ(text(g.get(p1, "facecolor")), "flat");
    g.set(g.gca(), "clim", Matrix::row({1, 2}));
    EXPECT_EQ(numbers(g.get(g.gca(), "CLim")), Matrix::row({1, 2}));
    EXPECT_EQ(g.object(g.gca()).children.size(), 2u);  // the second patch kept the first
    g.set(p1, "EdgeColor", g.get(p1, "facecolor"));
    EXPECT_EQ(g.as<PatchObject>(p1).edgeColor.kind, ColorSpec::Kind::Flat);
}

TEST(GraphicsPatch, FigureKnowsDefaultAxesColour) {
    Graphics g;
    const Matrix c = numbers(g.get(g.gcf(), "defaultaxesxcolor"));
    EXPECT_EQ(c.numel(), 3u);
}

}  // namespace
}  // namespace ambiscan::graphics
