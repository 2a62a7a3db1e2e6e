#pragma once

#include <cairo.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/graphics/Colors.hpp"
#include "platform/render/detail/PixelBlend.hpp"
#include "platform/render/detail/ZeroPages.hpp"

namespace ambiscan::render {

// Coverage of one colour gathered a byte per pixel and painted into the image once.
//
// Overlapping shapes of one colour combine here as they would on the image (each lets through
// what the other leaves), but a byte costs far less to combine than a pixel to blend, and a
// pixel that thousands of markers cover is blended once.
class CoverageLayer {
  public:
    // Working memory for images of this size, taken on the first use.
    CoverageLayer(int imageWidth, int imageHeight) : width_(imageWidth), height_(imageHeight) {}

    bool empty() const { return firstCol_ > lastCol_; }
    int width() const { return width_; }
    int height() const { return height_; }

    // The cell of a pixel inside the image; cells of a column follow one another, so that a
    // shape's cells lie at fixed distances from its corner's.
    std::uint8_t* cell(long col, long row) {
        return cells_.data() + static_cast<std::size_t>(col) * static_cast<std::size_t>(height_) +
               static_cast<std::size_t>(row);
    }
    const std::uint8_t* cell(long col, long row) const {
        return cells_.data() + static_cast<std::size_t>(col) * static_cast<std::size_t>(height_) +
               static_cast<std::size_t>(row);
    }

    // Adds coverage 0..255 to a cell.
    static void add(std::uint8_t* cell, std::uint32_t alpha) {
        std::uint32_t coverage = *cell;
        addCoverage(coverage, alpha);
        *cell = static_cast<std::uint8_t>(coverage);
    }

    // add() for sixteen cells in a row at once, in code for kLanes lanes (see VectorLanes).
    template <int kLanes>
    [[gnu::always_inline]] static void add16(std::uint8_t* cells, const std::uint8_t* alphas) {
        Words coverage, alpha;
        widen16<kLanes>(cells, coverage);
        widen16<kLanes>(alphas, alpha);
        // Sixteen bits hold every step of the sums, up to 255 * 255.
        addCoverage(coverage, alpha);
        const Bytes result = __builtin_convertvector(coverage, Bytes);
        std::memcpy(cells, &result, sizeof result);
    }
    // Makes room for, and marks as covered, the pixels from (c0, r0) to (c1, r1), all inside the
    // image; their cells may then be added to. Once per marker: inline.
    void reserve(long c0, long r0, long c1, long r1) {
        if (cells_.empty())
            allocate();
        if (firstCol_ > lastCol_) {
            firstCol_ = c0, lastCol_ = c1, firstRow_ = r0, lastRow_ = r1;
            return;
        }
        firstCol_ = std::min(firstCol_, c0);
        lastCol_ = std::max(lastCol_, c1);
        firstRow_ = std::min(firstRow_, r0);
        lastRow_ = std::max(lastRow_, r1);
    }

    // Paints the gathered coverage in the colour into an RGB24 image surface, and forgets it.
    void blendInto(cairo_surface_t* image, const graphics::Rgb& colour);
    // Writes the gathered coverage into a cleared A8 image surface of the layer's size, to
    // paint through as a mask, and forgets it.
    void moveIntoMask(cairo_surface_t* mask);

  private:
    using Bytes = std::uint8_t __attribute__((vector_size(16)));
    using Words = std::uint16_t __attribute__((vector_size(32)));

    // Sixteen bytes as sixteen 16-bit words. Four-lane code (x86, so little-endian) puts each
    // byte beside a zero, which compilers read as one AVX2 instruction; two-lane code converts.
    template <int kLanes>
    [[gnu::always_inline]] static void widen16(const std::uint8_t* bytes, Words& words) {
        Bytes b;
        std::memcpy(&b, bytes, sizeof b);
        if constexpr (kLanes == 4)
            words = reinterpret_cast<Words>(__builtin_shufflevector(
                b, Bytes{}, 0, 16, 1, 16, 2, 16, 3, 16, 4, 16, 5, 16, 6, 16, 7, 16, 8, 16, 9, 16,
                10, 16, 11, 16, 12, 16, 13, 16, 14, 16, 15, 16));
        else
            words = __builtin_convertvector(b, Words);
    }

    [[gnu::noinline]] void allocate();

    int width_, height_;
    ZeroPages cells_;  // column after column
    // The rectangle that may hold coverage, empty when first > last.
    long firstCol_ = 0, lastCol_ = -1, firstRow_ = 0, lastRow_ = -1;
};

}  // namespace ambiscan::render
