#include "plotsupport/labelAxes.hpp"

#include <gtest/gtest.h>

#include "platform/base/RuntimeError.hpp"

namespace ambiscan::plotsupport {
namespace {

using graphics::AxesObject;
using graphics::Graphics;
using graphics::Handle;

constexpr double kDay = 86400;

Value number(double v) {
    return Value{Matrix::scalar(v)};
}

// A figure whose one axes shows x from `x0` to `x1` and y from 0 to 1.
Handle figureShowing(Graphics& g, double x0, double x1) {
    const Handle fig = g.figure();
    g.axis({x0, x1, 0, 1});
    return fig;
}

TEST(LabelAxes, LabelsTheCurrentFigureWithTimeOfDay) {
    Graphics g;
    figureShowing(g, 4 * kDay, 4 * kDay + 10800);
    labelAxes(g, {number(3)});
    const AxesObject& a = g.as<AxesObject>(g.gca());
    EXPECT_EQ(a.xtick,
              (std::vector<double>{4 * kDay, 4 * kDay + 3600, 4 * kDay + 7200, 4 * kDay + 10800}));
    EXPECT_EQ(a.xtickLabel, (std::vector<std::string>{"Day4  00:00", "01:00", "02:00", "03:00"}));
}

TEST(LabelAxes, MissingOrEmptyInputsTakeTheirDefaults) {
    Graphics g;
    figureShowing(g, 0, 500);
    labelAxes(g, {Value{Matrix()}, Value{Matrix()}, Value{Matrix()}});
    EXPECT_EQ(g.as<AxesObject>(g.gca()).xtick, (std::vector<double>{0, 100, 200, 300, 400, 500}));
    EXPECT_EQ(g.as<AxesObject>(g.gca()).xlim[1], 500);
}

TEST(LabelAxes, AxisMatResetsTheYLimitsAndKeepsTheSharedXRange) {
    Graphics g;
    figureShowing(g, 100, 700);
    Matrix axisMat(1, 4);
    axisMat(0, 0) = -1e9;
    axisMat(0, 1) = 1e9;
    axisMat(0, 2) = -5;
    axisMat(0, 3) = 5;
    labelAxes(g, {number(6), Value{Matrix::scalar(g.gcf())}, Value{axisMat}, number(0)});
    const AxesObject& a = g.as<AxesObject>(g.gca());
    EXPECT_EQ(a.xlim, (std::array<double, 2>{100, 700}));
    EXPECT_EQ(a.ylim, (std::array<double, 2>{-5, 5}));
}

TEST(LabelAxes, ZoomOutRowsContinueAcrossFigures) {
    Graphics g;
    const Handle first = figureShowing(g, 0, 10);
    const Handle second = figureShowing(g, 0, 10);
    Matrix axisMat(2, 4);
    axisMat(0, 0) = 0;
    axisMat(0, 1) = 100;
    axisMat(1, 0) = 200;
    axisMat(1, 1) = 300;
    axisMat(0, 3) = axisMat(1, 3) = 1;
    labelAxes(
        g, {number(1), Value{Matrix::row({first, second})}, Value{axisMat}, number(1), number(1)});
    g.figure(second);
    const AxesObject& a = g.as<AxesObject>(g.gca());
    EXPECT_EQ(a.xlim, (std::array<double, 2>{200, 300}));
    EXPECT_EQ(a.xtickLabel, (std::vector<std::string>{"200", "300"}));
}

TEST(LabelAxes, LegendIsNeitherRelabelledNorGivenARow) {
    Graphics g;
    g.figure();
    const Handle line = g.plot(Matrix::row({0, 600}), Matrix::row({0, 1}))[0];
    g.legend({line}, {"RxA"});
    Matrix axisMat(1, 4);
    axisMat(0, 3) = 2;
    EXPECT_NO_THROW(labelAxes(g, {number(1), Value{Matrix()}, Value{axisMat}}));
    EXPECT_EQ(g.as<AxesObject>(g.gca()).ylim, (std::array<double, 2>{0, 2}));
}

TEST(LabelAxes, TooFewAxisMatRowsIsAnIndexError) {
    Graphics g;
    const Handle first = figureShowing(g, 0, 10);
    const Handle second = figureShowing(g, 0, 10);
    EXPECT_THROW(labelAxes(g, {number(1), Value{Matrix::row({first, second})},
                               Value{Matrix::row({0, 10, 0, 1})}}),
                 RuntimeError);
}

}  // namespace
}  // namespace ambiscan::plotsupport
