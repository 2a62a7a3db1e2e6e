#include "platform/render/CoverageLayer.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>

#include "platform/numeric/VectorLanes.hpp"

namespace ambiscan::render {
namespace {

[[gnu::target("avx2")]] void add16FourLanes(std::uint8_t* cells, const std::uint8_t* alphas) {
    CoverageLayer::add16FourLanes(cells, alphas);
}

TEST(CoverageLayer, SixteenCellsAtOnceAddAsOneAtATime) {
    // Every coverage over every old value, sixteen pairs per call, each lane seeing all of them;
    // in the compiler's vector code and, where the processor has them, AVX2 instructions.
    for (std::uint32_t old = 0; old < 256; ++old) {
        for (std::uint32_t alpha = 0; alpha < 256; alpha += 16) {
            std::array<std::uint8_t, 16> cells{}, expected{}, alphas{};
            for (std::uint32_t k = 0; k < 16; ++k) {
                cells[k] = expected[k] = static_cast<std::uint8_t>((old + 17 * k) % 256);
                alphas[k] = static_cast<std::uint8_t>(alpha + k);
                CoverageLayer::add(&expected[k], alphas[k]);
            }
            std::array<std::uint8_t, 16> wide = cells;
            CoverageLayer::add16(cells.data(), alphas.data());
            ASSERT_EQ(cells, expected) << "old " << old << " alpha " << alpha;
            if (processorHasFourLanes()) {
                add16FourLanes(wide.data(), alphas.data());
                ASSERT_EQ(wide, expected) << "old " << old << " alpha " << alpha << ", AVX2";
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
