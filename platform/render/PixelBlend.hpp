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
        : r_(colourChannel(c.r)), g_(colourChannel(c.g)), b_(colourChannel(c.b)) {}
    void into(std::uint32_t* pixel, std::uint32_t alpha) const {
        if (alpha == 255) {
            // Wholly covered, as the inside of every stroke and marker is.
            *pixel = 0xff000000u | r_ << 16 | g_ << 8 | b_;
            return;
        }
        const std::uint32_t keep = 255 - alpha;
        const std::uint32_t old = *pixel;
        const auto mix = [&](std::uint32_t colour, int shift) {
            const std::uint32_t o = (old >> shift) & 0xff;
            return ((colour * alpha + o * keep + 127) / 255) << shift;
        };
        *pixel = 0xff000000u | mix(r_, 16) | mix(g_, 8) | mix(b_, 0);
    }

  private:
    std::uint32_t r_, g_, b_;
};

}  // namespace ambiscan::render
