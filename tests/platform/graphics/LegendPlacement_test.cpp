#include "platform/graphics/LegendPlacement.hpp"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace ambiscan::graphics
