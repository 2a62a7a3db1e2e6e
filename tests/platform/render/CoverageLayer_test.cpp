#include "platform/render/detail/CoverageLayer.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>

#include "platform/numeric/VectorLanes.hpp"

namespace ambiscan::render {
namespace {

TEST(CoverageLayer, SixteenCellsAtOnceAddAsOneAtATime) {
    // Every coverage over every old value, sixteen pairs per call, each lane seeing all of them;
    // on two lanes and, where the processor has them, four.
    for (std::uint32_t old = 0; old < 256; ++old) {
        for (std::uint32_t alpha = 0; alpha < 256; alpha += 16) {
            std::array<std::uint8_t, 16> cells{}, expected{}, alphas{};
            for (std::uint32_t k = 0; k < 16; ++k) {
                cells[k] = expected[k] = static_cast<std::uint8_t>((old + 17 * k) % 256);
                alphas[k] = static_cast<std::uint8_t>(alpha + k);
                CoverageLayer::add(&expected[k], alphas[k]);
            }
            for (int lanes = 2; lanes <= widestLanes(); lanes += 2) {
                std::array<std::uint8_t, 16> added = cells;
                withLanes(lanes, [&]<int kLanes>() AMBISCAN_INLINE_LANES {
                    CoverageLayer::add16<kLanes>(added.data(), alphas.data());
                });
                ASSERT_EQ(added, expected) << "old " << old << " alpha " << alpha << ", " << lanes;
            }
        }
    }
}

TEST(CoverageLayer, AddingCombinesAsOverlappingShapesDo) {
    std::uint8_t cell = 0;
    CoverageLayer::add(&cell, 128);
    EXPECT_EQ(cell, 128);
    // Half of what is left: 128 + 127 * 128 / 255, rounded.
    CoverageLayer::add(&cell, 128);
    EXPECT_EQ(cell, 192);
    CoverageLayer::add(&cell, 0);
    EXPECT_EQ(cell, 192);
    CoverageLayer::add(&cell, 255);
    EXPECT_EQ(cell, 255);
}

}  // namespace
}  // namespace ambiscan::render
