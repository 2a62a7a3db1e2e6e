#include "platform/render/detail/PixelSet.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "platform/render/detail/ColumnPiece.hpp"
#include "platform/render/detail/MarkerPainter.hpp"

namespace ambiscan::render {
namespace {

TEST(PixelSet, PositionsRoundHalfUpToTheirPixelOnce) {
    PixelSet set(40, 30);
    EXPECT_TRUE(set.insert(3.49, 7.5));
    EXPECT_FALSE(set.insert(2.5, 8.49));  // the same pixel, (3, 8)
    EXPECT_TRUE(set.insert(3.5, 8));
    // Outside the image: always new, nothing kept.
    EXPECT_TRUE(set.insert(-0.5, 3));
    EXPECT_TRUE(set.insert(-0.5, 3));
    EXPECT_TRUE(set.insert(39.5, 3));
    set.clear();
    EXPECT_TRUE(set.insert(3.49, 7.5));
}

TEST(PixelSet, PixelIndicesInsertAsTheirPositions) {
    PixelSet byIndex(1200, 900), byPosition(1200, 900);
    const PixelSet::Bits bits = byIndex.bits();
    std::mt19937 random(5);
    std::uniform_real_distribution<double> x(-0.49, 1199.49), y(-0.49, 899.49);
    std::vector<double> xs, ys;
    for (int k = 0; k < 4000; ++k) {
        // Halves too, where rounding turns.
        xs.push_back(k % 5 == 0 ? static_cast<double>(k % 1199) + 0.5 : x(random));
        ys.push_back(k % 7 == 0 ? static_cast<double>(k % 899) + 0.5 : y(random));
    }
    // Every position twice: new the first time only.
    for (int round = 0; round < 2; ++round) {
        for (std::size_t k = 0; k < xs.size(); ++k) {
            const auto index = pixelIndex(xs[k], ys[k], static_cast<std::int32_t>(bits.height()));
            ASSERT_EQ(bits.insertIndex(static_cast<std::size_t>(index)),
                      byPosition.insert(xs[k], ys[k]))
                << "point " << k << " at " << xs[k] << ", " << ys[k];
        }
    }
}

TEST(SolidRows, GrowFromTheSeedAsFarAsMarkersReachWithoutAGap) {
    PixelSet set(40, 60);
    for (int row = 10; row <= 20; ++row)
        if (row != 15)
            set.insert(5, row);
    for (int row = 12; row <= 30; ++row)
        set.insert(6, row);
    const PixelSet::Bits bits = set.bits();
    SolidRows solid;
    growSolidRows(bits, 5, 17, solid);
    EXPECT_EQ(solid.leftFrom, 16);
    EXPECT_EQ(solid.leftTo, 20);
    EXPECT_EQ(solid.rightFrom, 12);
    EXPECT_EQ(solid.rightTo, 30);
    // A seed with no marker leaves an empty side empty, and a found side as it is.
    SolidRows fromGap;
    growSolidRows(bits, 5, 15, fromGap);
    EXPECT_GT(fromGap.leftFrom, fromGap.leftTo);
    EXPECT_EQ(fromGap.rightFrom, 12);
    growSolidRows(bits, 5, 40, fromGap);
    EXPECT_GT(fromGap.leftFrom, fromGap.leftTo);
    EXPECT_EQ(fromGap.rightTo, 30);
    // Markers up to the image's edges.
    for (int row = 0; row < 60; ++row)
        set.insert(7, row);
    SolidRows edge;
    growSolidRows(bits, 7, 0, edge);
    EXPECT_EQ(edge.leftFrom, 0);
    EXPECT_EQ(edge.leftTo, 59);
}

}  // namespace
}  // namespace ambiscan::render
