#pragma once

#include <cairo.h>

#include <cstdint>
#include <vector>

#include "platform/graphics/Colors.hpp"

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

    // Adds coverage 0..255 to a cell.
    static void add(std::uint8_t* cell, std::uint32_t alpha) {
        const std::uint32_t old = *cell;
        *cell = static_cast<std::uint8_t>(old + (alpha * (255u - old) + 127u) / 255u);
    }

    // Makes room for, and marks as covered, the pixels from (c0, r0) to (c1, r1), all inside the
    // image; their cells may then be added to.
    void reserve(long c0, long r0, long c1, long r1);

    // Paints the gathered coverage in the colour into an RGB24 image surface, and forgets it.
    void blendInto(cairo_surface_t* image, const graphics::Rgb& colour);

  private:
    int width_, height_;
    std::vector<std::uint8_t> cells_;  // column after column
    // The rectangle that may hold coverage, empty when first > last.
    long firstCol_ = 0, lastCol_ = -1, firstRow_ = 0, lastRow_ = -1;
};

}  // namespace ambiscan::render
