#include "platform/graphics/LegendPlacement.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <random>

namespace ambiscan::graphics {
namespace {

constexpr double kWidth = 0.3, kHeight = 0.15, kInset = 0.01;

TEST(LegendPlacement, FreeUpperRightIsPreferred) {
    Graphics g;
    g.plot(Matrix::row({0, 10}), Matrix::row({0, 1}));
    g.axis({0, 10, 0, 10});  // the line hugs the bottom: both upper corners are free
    EXPECT_EQ(bestLegendCorner(g, g.gca(), kWidth, kHeight, kInset, kInset), 1);
}

TEST(LegendPlacement, CornerWithoutDataIsChosen) {
    Graphics g;
    // A falling line fills the upper left and lower right; a cloud fills the upper right.
    g.hold(true);
    g.plot(Matrix::row({0, 10}), Matrix::row({10, 0}));
    g.plot(Matrix::row({9, 9.5, 9.8}), Matrix::row({9, 9.5, 9.8}), "o");
    EXPECT_EQ(bestLegendCorner(g, g.gca(), kWidth, kHeight, kInset, kInset), 3);
}

TEST(LegendPlacement, SegmentsCountWherePointsAreSparse) {
    Graphics g;
    // Two points only, but the segment between them crosses the upper right corner.
    g.hold(true);
    g.plot(Matrix::row({0, 10}), Matrix::row({9.5, 9.5}));
    g.plot(Matrix::row({0, 10}), Matrix::row({0, 10}), "o");
    g.axis({0, 10, 0, 10});
    EXPECT_EQ(bestLegendCorner(g, g.gca(), kWidth, kHeight, kInset, kInset), 4);
}

TEST(LegendPlacement, BarsCountWhereverTheyReach) {
    Graphics g;
    // One tall bar at the right: its vertices are at the bottom, its body reaches the top.
    const Matrix v(4, 2, std::vector<double>{9, 9, 10, 10, 0, 10, 10, 0});
    g.patch({{"faces", Matrix::row({1, 2, 3, 4})}, {"vertices", v}});
    g.axis({0, 10, 0, 10});
    EXPECT_EQ(bestLegendCorner(g, g.gca(), kWidth, kHeight, kInset, kInset), 2);
}

// The corner counts written plainly: every point, and every sample along every segment.
std::array<long, 4> plainCornerCounts(const std::vector<std::pair<double, double>>& points,
                                      const std::array<double, 2>& xr,
                                      const std::array<double, 2>& yr) {
    const double xs = xr[1] - xr[0], ys = yr[1] - yr[0], m = 0.015;
    const double w = kWidth, h = kHeight, i = kInset;
    const std::array<std::array<double, 4>, 4> boxes{{
        {1 - i - w - m, 1 + m, 1 - i - h - m, 1 + m},
        {-m, i + w + m, 1 - i - h - m, 1 + m},
        {-m, i + w + m, -m, i + h + m},
        {1 - i - w - m, 1 + m, -m, i + h + m},
    }};
    std::array<long, 4> counts{};
    const auto count = [&](double x, double y) {
        const double fx = (x - xr[0]) / xs, fy = (y - yr[0]) / ys;
        for (std::size_t k = 0; k < 4; ++k) {
            const auto& b = boxes[k];
            if (fx >= b[0] && fx <= b[1] && fy >= b[2] && fy <= b[3])
                ++counts[k];
        }
    };
    for (std::size_t p = 0; p < points.size(); ++p) {
        const auto [x, y] = points[p];
        count(x, y);
        if (p + 1 == points.size())
            break;
        const auto [x2, y2] = points[p + 1];
        const double dx = (x2 - x) / xs, dy = (y2 - y) / ys;
        if (dx * dx + dy * dy < 0.0004 * 0.999)
            continue;
        const int steps = static_cast<int>(std::min(50.0, std::floor(std::hypot(dx, dy) / 0.02)));
        for (int s = 1; s <= steps; ++s) {
            const double t = static_cast<double>(s) / static_cast<double>(steps + 1);
            count(x + (x2 - x) * t, y + (y2 - y) * t);
        }
    }
    return counts;
}

TEST(LegendPlacement, CountsEverySampleAlongSegmentsAsTestingEachWould) {
    // Noise with outliers far outside the axes, segments of every length and direction,
    // vertical and horizontal ones, and points on the box edges.
    std::mt19937 random(5);
    std::normal_distribution<double> noise(5, 2.5);
    std::uniform_real_distribution<double> unit(0, 1);
    std::vector<std::pair<double, double>> points;
    for (int p = 0; p < 4000; ++p) {
        const double x = p % 50 == 0 ? unit(random) * 30 - 10 : unit(random) * 10;
        const double y = p % 97 == 0 ? 1e6 * (unit(random) - 0.5) : noise(random);
        points.emplace_back(x, y);
        if (p % 13 == 0)
            points.emplace_back(x, noise(random));  // a vertical segment
        if (p % 17 == 0)
            points.emplace_back(unit(random) * 10, y);  // a horizontal one
        if (p % 101 == 0)
            points.emplace_back(10 * (1 - kInset - kWidth - 0.015), 10 * (kInset + kHeight));
    }
    // Segments whose samples lie exactly on a box edge: a horizontal one on the lower boxes'
    // top edge and a vertical one on the right boxes' left edge.
    const auto onEdge = [](double fraction) {
        double v = fraction * 10;
        while (v / 10 < fraction)
            v = std::nextafter(v, 1e9);
        while (v / 10 > fraction)
            v = std::nextafter(v, -1e9);
        return v;
    };
    const double top = onEdge(kInset + kHeight + 0.015);
    const double left = onEdge(1 - kInset - kWidth - 0.015);
    points.insert(points.end(), {{0.1, top}, {9.9, top}, {left, 0.2}, {left, 9.8}});
    Matrix x(1, points.size()), y(1, points.size());
    for (std::size_t p = 0; p < points.size(); ++p) {
        x[p] = points[p].first;
        y[p] = points[p].second;
    }
    Graphics g;
    g.plot(x, y, "-");
    const std::array<double, 2> xr{0, 10}, yr{0, 10};
    EXPECT_EQ(legendCornerCounts(g, g.gca(), xr, yr, kWidth, kHeight, kInset, kInset),
              plainCornerCounts(points, xr, yr));
}

}  // namespace
}  // namespace ambiscan::graphics
