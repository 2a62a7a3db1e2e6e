#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

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

    // over() for four pixels side by side, each at its own coverage (0..255 in its word): the
    // same numbers, in vector code wherever the compiler has it.
    using Pixels4 = std::uint32_t __attribute__((vector_size(16)));
    Pixels4 over4(Pixels4 old, Pixels4 alpha) const {
        // Sixteen-bit lanes: blue and red of each pixel, then green and the unused top byte.
        using Lanes = std::uint16_t __attribute__((vector_size(16)));
        const auto a = reinterpret_cast<Lanes>(alpha | alpha << 16);
        const Lanes keep = 255 - a;
        const auto redBlue = reinterpret_cast<Lanes>(old & 0x00ff00ffu);
        const auto greenTop = reinterpret_cast<Lanes>((old >> 8) & 0x00ff00ffu);
        const auto colourRedBlue = reinterpret_cast<Lanes>(Pixels4{} + redBlue_);
        const auto colourGreen = reinterpret_cast<Lanes>(Pixels4{} + green_);
        const Lanes newRedBlue = laneBy255(colourRedBlue * a + redBlue * keep);
        const Lanes newGreenTop = laneBy255(colourGreen * a + greenTop * keep);
        return 0xff000000u | reinterpret_cast<Pixels4>(newRedBlue) |
               reinterpret_cast<Pixels4>(newGreenTop) << 8;
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

    // by255() in every sixteen-bit lane: sums up to 255 * 255 and their rounding fit in one.
    template <typename Lanes>
    static Lanes laneBy255(Lanes x) {
        const Lanes y = x + 0x80;
        return (y + (y >> 8)) >> 8;
    }

    std::uint32_t redBlue_, green_, solid_;
};

}  // namespace ambiscan::render
