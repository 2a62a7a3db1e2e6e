#include "charts/annotate.hpp"

#include <gtest/gtest.h>

#include "platform/base/RuntimeError.hpp"

namespace ambiscan::charts {
namespace {

using graphics::AxesObject;
using graphics::Graphics;
using graphics::Handle;
using graphics::TextObject;

Value text(const char* s) {
    return Value{std::string(s)};
}

TEST(Annotate, TitleTakesTheAxesFontAndReturnsTheAxesTitle) {
    Graphics g;
    AxesObject& a = g.as<AxesObject>(g.gca());
    a.fontName = "Courier";
    a.fontSize = 14;
    a.fontAngle = "italic";
    a.fontWeight = "bold";
    const Handle h = title(g, "Run A");
    EXPECT_EQ(h, g.as<AxesObject>(g.gca()).title);
    const TextObject& t = g.as<TextObject>(h);
    EXPECT_EQ(t.lines, std::vector<std::string>{"Run A"});
    EXPECT_EQ(t.fontName, "Courier");
    EXPECT_EQ(t.fontSize, 14);
    EXPECT_EQ(t.fontAngle, "italic");
    EXPECT_EQ(t.fontWeight, "bold");
}

TEST(Annotate, CallersPairsOverrideTheCopiedFont) {
    Graphics g;
    const Handle h = title(g, {text("Run A"), text("FontSize"), Value{Matrix::scalar(20)},
                               text("Interpreter"), text("none")});
    EXPECT_EQ(g.as<TextObject>(h).fontSize, 20);
    EXPECT_EQ(g.as<TextObject>(h).interpreter, "none");
}

TEST(Annotate, OddNumberOfArgumentsAfterTheTextFailsOnceTheAxesExist) {
    Graphics g;
    try {
        title(g, {text("Run A"), text("Interpreter")});
        FAIL() << "no error raised";
    } catch (const RuntimeError& e) {
        EXPECT_STREQ(e.what(), "Incorrect number of input arguments");
    }
    EXPECT_TRUE(g.hasCurrentFigure());
    EXPECT_TRUE(g.as<TextObject>(g.as<AxesObject>(g.gca()).title).lines.empty());
}

TEST(Annotate, OnlyTheTitleIsTurnedUpright) {
    Graphics g;
    const Handle ax = g.gca();
    g.set(g.as<AxesObject>(ax).title, "Rotation", Value{Matrix::scalar(45)});
    g.set(g.as<AxesObject>(ax).xlabel, "Rotation", Value{Matrix::scalar(30)});
    const double ylabelRotation = g.as<TextObject>(g.as<AxesObject>(ax).ylabel).rotation;
    EXPECT_EQ(g.as<TextObject>(title(g, "T")).rotation, 0);
    EXPECT_EQ(g.as<TextObject>(xlabel(g, "X")).rotation, 30);
    const Handle y = ylabel(g, "Y");
    EXPECT_EQ(g.as<TextObject>(y).rotation, ylabelRotation);
    EXPECT_EQ(y, g.as<AxesObject>(ax).ylabel);
    EXPECT_EQ(g.as<TextObject>(y).lines, std::vector<std::string>{"Y"});
}

TEST(Annotate, ListOfTextsGivesOneLineEach) {
    Graphics g;
    const Handle h = xlabel(g, {Value{CellRow{"first", "second"}}});
    EXPECT_EQ(g.as<TextObject>(h).lines, (std::vector<std::string>{"first", "second"}));
}

TEST(Annotate, NoArgumentFails) {
    Graphics g;
    EXPECT_THROW(title(g, std::vector<Value>{}), RuntimeError);
}

}  // namespace
}  // namespace ambiscan::charts
