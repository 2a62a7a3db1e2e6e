#include "platform/render/detail/PixelBlend.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>

namespace ambiscan::render {
namespace {

// What a channel must become: the colour over the old value at this coverage, rounded.
std::uint32_t expectedChannel(std::uint32_t colour, std::uint32_t alpha, std::uint32_t old) {
    return (colour * alpha + old * (255 - alpha) + 127) / 255;
}

std::uint32_t blend(std::uint32_t r, std::uint32_t g, std::uint32_t b, std::uint32_t alpha,
                    std::uint32_t old) {
    const PixelBlend paint(graphics::Rgb{r / 255.0, g / 255.0, b / 255.0});
    std::uint32_t pixel = old;
    paint.into(&pixel, alpha);
    return pixel;
}

// The same without a branch, as whole columns of pixels are blended.
std::uint32_t blendOver(std::uint32_t r, std::uint32_t g, std::uint32_t b, std::uint32_t alpha,
                        std::uint32_t old) {
    return PixelBlend(graphics::Rgb{r / 255.0, g / 255.0, b / 255.0}).over(old, alpha);
}

TEST(PixelBlend, DivisionBy255RoundsAsTheDivideDoesOverTheWholeRange) {
    for (std::uint32_t x = 0; x <= 255 * 255; ++x) {
        std::uint32_t wide = x;
        auto narrow = static_cast<std::uint16_t>(x);
        divideBy255(wide);
        divideBy255(narrow);
        ASSERT_EQ(wide, (x + 127) / 255) << x;
        ASSERT_EQ(narrow, (x + 127) / 255) << x;
    }
}

TEST(PixelBlend, AddedCoverageIsFullCoverageBlendedOver) {
    for (std::uint32_t old = 0; old < 256; ++old) {
        for (std::uint32_t alpha = 0; alpha < 256; ++alpha) {
            std::uint32_t added = old, blended = old;
            addCoverage(added, alpha);
            render::blendOver(blended, 255u, alpha);
            ASSERT_EQ(added, expectedChannel(255, alpha, old)) << old << " " << alpha;
            ASSERT_EQ(blended, added) << old << " " << alpha;
        }
    }
}

TEST(PixelBlend, EveryColourCoverageAndOldValueRoundsAsTheExactFormula) {
    // Every channel value, coverage and old value, each channel apart from the others.
    for (std::uint32_t c = 0; c < 256; ++c) {
        for (std::uint32_t a = 0; a < 256; ++a) {
            for (std::uint32_t o = 0; o < 256; ++o) {
                const std::uint32_t e = expectedChannel(c, a, o);
                const std::uint32_t old = o << 16 | (255 - o) << 8 | o / 3;
                const std::uint32_t expected = 0xff000000u | e << 16 |
                                               expectedChannel(255 - c, a, 255 - o) << 8 |
                                               expectedChannel(c / 2, a, o / 3);
                ASSERT_EQ(blend(c, 255 - c, c / 2, a, old), expected)
                    << "colour " << c << " alpha " << a << " old " << o;
                ASSERT_EQ(blendOver(c, 255 - c, c / 2, a, old), expected)
                    << "colour " << c << " alpha " << a << " old " << o;
            }
        }
    }
}

TEST(PixelBlend, EightPixelsAtOnceBlendAsEachAlone) {
    // Every coverage and old value in the first pixel, with other values and coverages beside
    // it, 0 and 255 among them: each lane as over() gives it, none reaching into the next.
    for (std::uint32_t c = 0; c < 256; c += 17) {
        const PixelBlend paint(graphics::Rgb{c / 255.0, (255 - c) / 255.0, (c / 2) / 255.0});
        for (std::uint32_t a = 0; a < 256; ++a) {
            for (std::uint32_t o = 0; o < 256; ++o) {
                const std::uint32_t old = o << 16 | (255 - o) << 8 | o / 3;
                const std::uint32_t olds[8] = {old,
                                               0x00ffffffu - o * 0x010101u,
                                               o * 0x010001u,
                                               0,
                                               0x00ffffffu,
                                               old ^ 0x00a5a5a5u,
                                               o,
                                               old};
                const std::uint32_t alphas[8] = {
                    a, 255 - a, (a * 7 + o) % 256, a == o ? 255u : 0u, a / 2, o, 255, 0};
                std::uint32_t blended[8];
                std::copy(olds, olds + 8, blended);
                paint.over8(blended, alphas);
                for (int lane = 0; lane < 8; ++lane)
                    ASSERT_EQ(blended[lane], paint.over(olds[lane], alphas[lane]))
                        << "colour " << c << " alpha " << a << " old " << o << " lane " << lane;
            }
        }
    }
}

}  // namespace
}  // namespace ambiscan::render
