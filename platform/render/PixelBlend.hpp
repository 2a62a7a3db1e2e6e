#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "platform/graphics/Colors.hpp"

// Blending a solid colour into 24-bit image pixels (0x00RRGGBB words) at a coverage of 0..255,
// as Cairo paints a colour through an anti-aliased mask.
namespace ambiscan::render {

inline std::uint32_t colourChannel(double v) {
    return static_cast<std::uint32_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0));
}

class PixelBlend {
  public:
    explicit PixelBlend(const graphics::Rgb& c)
        : redBlue_(colourChannel(c.r) << 16 | colourChannel(c.b)),
          green_(colourChannel(c.g)),
          solid_(0xff000000u | redBlue_ | green_ << 8) {}
    void into(std::uint32_t* pixel, std::uint32_t alpha) const {
        if (alpha == 255) {
            // Wholly covered, as the inside of every stroke and marker is.
            *pixel = solid_;
            return;
        }
        *pixel = over(*pixel, alpha);
    }
    // The pixel with the colour over it, with no branch: exact at 0 and 255 too.
    std::uint32_t over(std::uint32_t old, std::uint32_t alpha) const {
        // Each channel rounds (colour * alpha + old * (255 - alpha)) / 255; red and blue side by
        // side in one word, sixteen bits apart, where neither can reach the other.
        const std::uint32_t keep = 255 - alpha;
        const std::uint32_t redBlue = redBlue_ * alpha + (old & 0x00ff00ffu) * keep;
        const std::uint32_t green = green_ * alpha + ((old >> 8) & 0xffu) * keep;
        return 0xff000000u | lanesBy255(redBlue) | by255(green) << 8;
    }

    // over() for eight pixels side by side, in place, each at its own coverage (0..255): the
    // same numbers, in vector code wherever the compiler has it.
    void over8(std::uint32_t* pixels, const std::uint32_t* alphas) const {
        using Pixels = std::uint32_t __attribute__((vector_size(32)));
        // Sixteen-bit lanes: blue and red of each pixel, then green and the unused top byte.
        using Lanes = std::uint16_t __attribute__((vector_size(32)));
        Pixels old, alpha;
        std::memcpy(&old, pixels, sizeof old);
        std::memcpy(&alpha, alphas, sizeof alpha);
        const auto a = reinterpret_cast<Lanes>(alpha | alpha << 16);
        const Lanes keep = 255 - a;
        const auto redBlue = reinterpret_cast<Lanes>(old & 0x00ff00ffu);
        const auto greenTop = reinterpret_cast<Lanes>((old >> 8) & 0x00ff00ffu);
        const auto colourRedBlue = reinterpret_cast<Lanes>(Pixels{} + redBlue_);
        const auto colourGreen = reinterpret_cast<Lanes>(Pixels{} + green_);
        // Rounded divisions by 255 as by255() does them: sums up to 255 * 255 and their
        // rounding fit in sixteen bits.
        const Lanes redBlueSum = colourRedBlue * a + redBlue * keep + 0x80;
        const Lanes greenTopSum = colourGreen * a + greenTop * keep + 0x80;
        const Lanes newRedBlue = (redBlueSum + (redBlueSum >> 8)) >> 8;
        const Lanes newGreenTop = (greenTopSum + (greenTopSum >> 8)) >> 8;
        const Pixels blended = 0xff000000u | reinterpret_cast<Pixels>(newRedBlue) |
                               reinterpret_cast<Pixels>(newGreenTop) << 8;
        std::memcpy(pixels, &blended, sizeof blended);
    }

    // Rounded division by 255 of a number up to 255 * 255: (x + 127) / 255 without a divide.
    static std::uint32_t by255(std::uint32_t x) {
        const std::uint32_t y = x + 0x80u;
        return (y + (y >> 8)) >> 8;
    }

  private:
    // The same for the two 16-bit lanes of red and blue at once.
    static std::uint32_t lanesBy255(std::uint32_t x) {
        const std::uint32_t y = x + 0x00800080u;
        return ((y + ((y >> 8) & 0x00ff00ffu)) >> 8) & 0x00ff00ffu;
    }

    std::uint32_t redBlue_, green_, solid_;
};

}  // namespace ambiscan::render
