#include "charts/grid.hpp"

#include <gtest/gtest.h>

#include "platform/base/RuntimeError.hpp"

namespace ambiscan::charts {
namespace {

using graphics::AxesObject;
using graphics::Graphics;
using graphics::Handle;

Value text(const char* s) {
    return Value{std::string(s)};
}
Value handle(Handle h) {
    return Value{Matrix::scalar(h)};
}

void expectGrids(Graphics& g, Handle ax, bool x, bool y, bool z) {
    const AxesObject& a = g.as<AxesObject>(ax);
    EXPECT_EQ(a.xgrid, x);
    EXPECT_EQ(a.ygrid, y);
    EXPECT_EQ(a.zgrid, z);
}

void expectError(Graphics& g, const std::vector<Value>& args, const char* message) {
    try {
        grid(g, args);
        ADD_FAILURE() << "no error raised";
    } catch (const RuntimeError& e) {
        EXPECT_STREQ(e.what(), message);
    }
}

TEST(Grid, OnAndOffInAnyLetterCase) {
    for (const char* on : {"on", "ON", "On"}) {
        Graphics g;
        grid(g, {text(on)});
        expectGrids(g, g.gca(), true, true, true);
        grid(g, {text("OFF")});
        expectGrids(g, g.gca(), false, false, false);
    }
}

TEST(Grid, ToggleFlipsEachGridOnItsOwn) {
    Graphics g;
    AxesObject& a = g.as<AxesObject>(g.gca());
    a.xgrid = true;
    grid(g);
    expectGrids(g, g.gca(), false, true, true);
    grid(g);
    expectGrids(g, g.gca(), true, false, false);
}

TEST(Grid, AxesHandleFormsActOnTheGivenAxes) {
    Graphics g;
    const Handle ax = g.gca();
    grid(g, {handle(ax)});
    expectGrids(g, ax, true, true, true);
    grid(g, {handle(ax), text("Off")});
    expectGrids(g, ax, false, false, false);
}

TEST(Grid, RejectsWhatIsNoAxesOrOption) {
    Graphics g;
    const Handle line = g.plot(Matrix::row({1, 2}), Matrix::row({1, 2}))[0];
    const Handle ax = g.gca();
    expectError(g, {text("")}, "Unknown command option.");
    expectError(g, {text("maybe")}, "Unknown command option.");
    expectError(g, {text("on"), text("off")}, "First argument must be an axes handle.");
    expectError(g, {handle(line)}, "First argument must be an axes handle.");
    expectError(g, {handle(12345)}, "First argument must be an axes handle.");
    expectError(g, {Value{Matrix::row({ax, ax})}}, "Axes handle must be a scalar");
    expectError(g, {handle(ax), text("")}, "Unknown command option.");
    expectGrids(g, ax, false, false, false);
}

}  // namespace
}  // namespace ambiscan::charts
