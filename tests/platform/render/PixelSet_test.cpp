#include "platform/render/PixelSet.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "platform/render/ColumnPiece.hpp"

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

}  // namespace
}  // namespace ambiscan::render
