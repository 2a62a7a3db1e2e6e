#include "platform/graphics/LinePoints.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/graphics/LegendPlacement.hpp"

namespace ambiscan::graphics {
namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();

// The same stems as NaN-broken triples: the form the compact line stands for.
void addBrokenStems(Graphics& g, const Matrix& x, const Matrix& y) {
    std::vector<double> xx, yy;
    for (std::size_t i = 0; i < x.numel(); ++i) {
        xx.insert(xx.end(), {x[i], x[i], kNaN});
        yy.insert(yy.end(), {0, y[i], kNaN});
    }
    g.plot(Matrix::row(xx), Matrix::row(yy), "b-");
}

Handle addCompactStems(Graphics& g, const Matrix& x, const Matrix& y) {
    const Handle h = g.plot(x, y, "b-").front();
    g.as<LineObject>(h).stemsFromZero = true;
    return h;
}

bool sameValues(const Matrix& a, const Matrix& b) {
    if (a.rows() != b.rows() || a.cols() != b.cols())
        return false;
    for (std::size_t i = 0; i < a.numel(); ++i) {
        if (!(a[i] == b[i] || (std::isnan(a[i]) && std::isnan(b[i]))))
            return false;
    }
    return true;
}

TEST(LinePoints, CompactStemsReadAsBaseTopAndGap) {
    Graphics g;
    const Handle h = addCompactStems(g, Matrix::row({4, kNaN, 6}), Matrix::row({7, 8, -2}));
    const LinePoints p(g.as<LineObject>(h));
    ASSERT_EQ(p.size(), 9u);
    EXPECT_EQ(p.x(0), 4);
    EXPECT_EQ(p.y(0), 0);
    EXPECT_EQ(p.x(1), 4);
    EXPECT_EQ(p.y(1), 7);
    EXPECT_TRUE(std::isnan(p.x(2)) && std::isnan(p.y(2)));
    // A point with no position keeps its place in the order and draws nothing.
    EXPECT_TRUE(std::isnan(p.x(3)) && std::isnan(p.x(4)));
    EXPECT_EQ(p.y(7), -2);
}

TEST(LinePoints, PropertiesGiveTheBrokenLineAndAcceptPlainData) {
    const Matrix x = Matrix::row({1, 2, 3}), y = Matrix::row({5, -1, 0});
    Graphics plain;
    addBrokenStems(plain, x, y);
    const Handle ph = plain.object(plain.gca()).children.front();
    Graphics g;
    const Handle h = addCompactStems(g, x, y);
    EXPECT_TRUE(
        sameValues(std::get<Matrix>(g.get(h, "XData")), std::get<Matrix>(plain.get(ph, "XData"))));
    EXPECT_TRUE(
        sameValues(std::get<Matrix>(g.get(h, "YData")), std::get<Matrix>(plain.get(ph, "YData"))));

    // Replacing one coordinate leaves the other as it was drawn.
    g.set(h, "YData", Value(Matrix::row({1, 1, 1, 1, 1, 1, 1, 1, 1})));
    EXPECT_FALSE(g.as<LineObject>(h).stemsFromZero);
    EXPECT_TRUE(
        sameValues(std::get<Matrix>(g.get(h, "XData")), std::get<Matrix>(plain.get(ph, "XData"))));
}

TEST(LinePoints, CompactStemsGiveTheSameLimitsAndLegendCornerAsTheBrokenLine) {
    for (const double sign : {1.0, -1.0}) {
        std::vector<double> xv, yv;
        for (int i = 0; i < 200; ++i) {
            xv.push_back(i * 0.37);
            yv.push_back(sign * (3 + std::fmod(i * 7.3, 40.0)));
        }
        const Matrix x = Matrix::row(xv), y = Matrix::row(yv);
        Graphics plain;
        addBrokenStems(plain, x, y);
        Graphics g;
        addCompactStems(g, x, y);
        // The base line at zero counts towards the limits.
        EXPECT_EQ(g.axis(), plain.axis());
        EXPECT_EQ(sign > 0 ? g.axis()[2] : g.axis()[3], 0);
        EXPECT_EQ(bestLegendCorner(g, g.gca(), 0.3, 0.2, 0.01, 0.01),
                  bestLegendCorner(plain, plain.gca(), 0.3, 0.2, 0.01, 0.01));
    }
}

}  // namespace
}  // namespace ambiscan::graphics
