#pragma once

#include <cairo.h>
#include <immintrin.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/graphics/Colors.hpp"
#include "platform/render/PixelBlend.hpp"

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

    // add() for sixteen cells in a row at once: vector code wherever the compiler has it, one
    // register's worth with AVX2.
    static void add16(std::uint8_t* cells, const std::uint8_t* alphas) {
        using Bytes = std::uint8_t __attribute__((vector_size(16)));
        using Words = std::uint16_t __attribute__((vector_size(32)));
        Bytes oldBytes, alphaBytes;
        std::memcpy(&oldBytes, cells, sizeof oldBytes);
        std::memcpy(&alphaBytes, alphas, sizeof alphaBytes);
        Words coverage = __builtin_convertvector(oldBytes, Words);
        // Sixteen bits hold every step of the sums, up to 255 * 255.
        addCoverage(coverage, __builtin_convertvector(alphaBytes, Words));
        const Bytes result = __builtin_convertvector(coverage, Bytes);
        std::memcpy(cells, &result, sizeof result);
    }

    // add16() with AVX2 instructions, for code compiled for them (see VectorLanes): widening
    // sixteen cells takes one instruction where the compiler's own vector code takes four.
    [[gnu::target("avx2"), gnu::always_inline]] static void add16FourLanes(
        std::uint8_t* cells, const std::uint8_t* alphas) {
        const __m256i old =
            _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(cells)));
        const __m256i alpha =
            _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(alphas)));
        const __m256i y = _mm256_add_epi16(
            _mm256_mullo_epi16(alpha, _mm256_sub_epi16(_mm256_set1_epi16(255), old)),
            _mm256_set1_epi16(0x80));
        const __m256i sum = _mm256_add_epi16(
            old, _mm256_srli_epi16(_mm256_add_epi16(y, _mm256_srli_epi16(y, 8)), 8));
        // Packed within each half, then the halves' first eight bytes brought together.
        const __m256i packed = _mm256_permute4x64_epi64(_mm256_packus_epi16(sum, sum), 0x08);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(cells), _mm256_castsi256_si128(packed));
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
    [[gnu::noinline]] void allocate();

    int width_, height_;
    std::vector<std::uint8_t> cells_;  // column after column
    // The rectangle that may hold coverage, empty when first > last.
    long firstCol_ = 0, lastCol_ = -1, firstRow_ = 0, lastRow_ = -1;
};

}  // namespace ambiscan::render
