#include "platform/render/detail/MarkerStamp.hpp"

#include <gtest/gtest.h>

#include <vector>

#include "platform/render/detail/CoverageLayer.hpp"

namespace ambiscan::render {
namespace {

constexpr int kSide = 48;

// The layer's coverage after one cross edge of the size stamped at (x, y), column after column.
std::vector<int> coverage(const MarkerStamp& stamp, double x, double y) {
    CoverageLayer layer(kSide, kSide);
    stamp.stampEdge(layer, x, y);
    std::vector<int> cells;
    for (int c = 0; c < kSide; ++c)
        for (int r = 0; r < kSide; ++r)
            cells.push_back(layer.empty() ? 0 : *layer.cell(c, r));
    return cells;
}

std::vector<int> stamped(double x, double y, double size = 10.5) {
    return coverage(MarkerStamp("x", size, 0.875, kSide), x, y);
}

std::vector<int> shifted(const std::vector<int>& cells, int columns, int rows) {
    std::vector<int> out(cells.size(), 0);
    for (int c = 0; c < kSide; ++c) {
        for (int r = 0; r < kSide; ++r) {
            const int from = (c - columns) * kSide + (r - rows);
            if (c - columns >= 0 && c - columns < kSide && r - rows >= 0 && r - rows < kSide)
                out[static_cast<std::size_t>(c * kSide + r)] =
                    cells[static_cast<std::size_t>(from)];
        }
    }
    return out;
}

// A kept stamp is made once per marker, size, edge and height, and stamps as a new one does.
TEST(MarkerStamps, KeptStampIsMadeOncePerKindAndStampsAsANewOne) {
    MarkerStamps kept;
    const MarkerStamp& cross = kept.stamp("x", 10.5, 0.875, kSide);
    EXPECT_EQ(&kept.stamp("x", 10.5, 0.875, kSide), &cross);
    EXPECT_NE(&kept.stamp("x", 12, 0.875, kSide), &cross);
    EXPECT_NE(&kept.stamp("o", 10.5, 0.875, kSide), &cross);
    EXPECT_EQ(coverage(kept.stamp("x", 10.5, 0.875, kSide), 20.3, 17.8), stamped(20.3, 17.8));
}

TEST(MarkerStamp, PositionsRoundToQuarterPixelsHalfAwayFromZero) {
    // Half a quarter rounds up above zero and down below it.
    EXPECT_EQ(stamped(20.125, 20.625), stamped(20.25, 20.75));
    EXPECT_EQ(stamped(20.12, 20.6), stamped(20, 20.5));
    EXPECT_EQ(stamped(-0.125, 20), stamped(-0.25, 20));
    EXPECT_EQ(stamped(20, -2.375), stamped(20, -2.5));
}

TEST(MarkerStamp, AWholePixelFurtherIsTheSameShapeMovedOnePixel) {
    const std::vector<int> inside = stamped(20.25, 20.5);
    EXPECT_EQ(stamped(21.25, 20.5), shifted(inside, 1, 0));
    EXPECT_EQ(stamped(20.25, 19.5), shifted(inside, 0, -1));
    // Cut by the layer's edge, the part inside is the same, also from a centre outside it.
    EXPECT_EQ(stamped(2.25, 20.5), shifted(inside, -18, 0));
    EXPECT_EQ(stamped(-0.75, 20.5), shifted(inside, -21, 0));
    EXPECT_EQ(stamped(20.25, -1.5), shifted(inside, 0, -22));
}

TEST(MarkerStamp, SmallMarkerAtTheBottomIsTheSameShapeMoved) {
    // A square smaller than a block: at the bottom, the square fits and its blocks do not.
    const std::vector<int> inside = stamped(20.25, 20.5, 3);
    EXPECT_EQ(stamped(20.25, 40.5, 3), shifted(inside, 0, 20));
}

}  // namespace
}  // namespace ambiscan::render
