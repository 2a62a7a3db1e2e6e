#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "platform/graphics/Colors.hpp"

// The one 8-bit blend of the raster code: a value over an old one at a coverage of 0..255,
// rounded as Cairo rounds it, for one number or for every 16-bit lane of a vector alike; and a
// solid colour blended so into 24-bit image pixels (0x00RRGGBB words).
namespace ambiscan::render {

// In place, not by value: vectors wider than the processor's registers must not be passed to a
// function, even one always inlined, without compilers warning of the calling convention.

// Rounded division by 255 of a number up to 255 * 255: (x + 127) / 255 without a divide.
template <typename T>
[[gnu::always_inline]] inline void divideBy255(T& x) {
    const auto y = static_cast<T>(x + 0x80);
    x = static_cast<T>((y + (y >> 8)) >> 8);
}

// `old` becomes `value` over it at coverage `alpha`, all 0..255.
template <typename T>
[[gnu::always_inline]] inline void blendOver(T& old, const T& value, const T& alpha) {
    auto sum = static_cast<T>(value * alpha + old * (255 - alpha));
    divideBy255(sum);
    old = sum;
}

// Coverage `alpha` added to `coverage`, as overlapping shapes combine (each lets through what the
// other leaves): full coverage blended over the old, with one product instead of two.
template <typename T>
[[gnu::always_inline]] inline void addCoverage(T& coverage, const T& alpha) {
    auto gain = static_cast<T>(alpha * (255 - coverage));
    divideBy255(gain);
    coverage = static_cast<T>(coverage + gain);
}

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
        // blendOver() per channel; red and blue side by side in one word, sixteen bits apart,
        // where neither can reach the other.
        const std::uint32_t keep = 255 - alpha;
        const std::uint32_t redBlue = pairBy255(redBlue_ * alpha + (old & 0x00ff00ffu) * keep);
        std::uint32_t green = green_ * alpha + ((old >> 8) & 0xffu) * keep;
        divideBy255(green);
        return 0xff000000u | redBlue | green << 8;
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
        auto redBlue = reinterpret_cast<Lanes>(old & 0x00ff00ffu);
        auto greenTop = reinterpret_cast<Lanes>((old >> 8) & 0x00ff00ffu);
        blendOver(redBlue, reinterpret_cast<Lanes>(Pixels{} + redBlue_), a);
        blendOver(greenTop, reinterpret_cast<Lanes>(Pixels{} + green_), a);
        const Pixels blended = 0xff000000u | reinterpret_cast<Pixels>(redBlue) |
                               reinterpret_cast<Pixels>(greenTop) << 8;
        std::memcpy(pixels, &blended, sizeof blended);
    }

  private:
    // divideBy255() for the two 16-bit lanes of red and blue in one word, each kept from the
    // other's carries.
    static std::uint32_t pairBy255(std::uint32_t x) {
        const std::uint32_t y = x + 0x00800080u;
        return ((y + ((y >> 8) & 0x00ff00ffu)) >> 8) & 0x00ff00ffu;
    }

    std::uint32_t redBlue_, green_, solid_;
};

}  // namespace ambiscan::render
