#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>

#include "platform/numeric/VectorLanes.hpp"
#include "platform/render/detail/LinePath.hpp"

// A piece of a line's points mapped to pixels while they stay in one pixel column, several points
// at a time in vector code.
namespace ambiscan::render {

// The pixel positions of a piece of points, and the lowest and highest of them.
struct ColumnPiece {
    static constexpr std::size_t kSize = 128;
    double x[kSize], y[kSize];
    // When asked for: the pixel each position rounds to, half up, as an index into pixels kept
    // column after column.
    std::int32_t index[kSize];
    // With the indices: the places in the piece of the points whose pixel lies outside the
    // solid rows (see SolidRows), in order.
    std::uint16_t outside[kSize];
    std::size_t outsideCount = 0;
    std::size_t count = 0;     // the points that stayed
    double low = 0, high = 0;  // their lowest and highest y, infinite when none
};

// Rows of the two pixel columns that points of a column from `left` to `left + 1` round to (the
// one at left and the next) where every pixel is known to hold a marker: points there need no
// marker test, and in a crowded column most points fall there. Empty where from > to.
struct SolidRows {
    std::int32_t leftFrom = 1, leftTo = 0;
    std::int32_t rightFrom = 1, rightTo = 0;

    bool holds(std::int32_t row, bool onLeft) const {
        return onLeft ? row >= leftFrom && row <= leftTo : row >= rightFrom && row <= rightTo;
    }
};

// The pixel index of a position inside the image, for columns of this many rows.
inline std::int32_t pixelIndex(double x, double y, std::int32_t rows) {
    return static_cast<std::int32_t>(x + 0.5) * rows + static_cast<std::int32_t>(y + 0.5);
}

// Maps up to ColumnPiece::kSize points into the piece while they fall in the column from `left` to
// `left + 1` and between top and bottom; the first point that does not is left out and ends it.
// With kIndices, also their pixel indices, for columns of `rows` rows, and which lie outside the
// solid rows; the column (whose left is then a whole number) and the rows between must lie inside
// the image. kLanes points at a time (see VectorLanes).
template <bool kIndices = false, int kLanes = 2>
[[gnu::always_inline]] inline void mapWhileInColumn(const double* xs, const double* ys,
                                                    std::size_t n, const PixelMapping& map,
                                                    double left, double top, double bottom,
                                                    ColumnPiece& piece, std::int32_t rows = 0,
                                                    const SolidRows& solid = {}) {
    using Doubles = typename VectorLanes<kLanes>::Doubles;
    using Ints = typename VectorLanes<kLanes>::Ints;
    static_assert(ColumnPiece::kSize % kLanes == 0);
    const std::size_t count = n < ColumnPiece::kSize ? n : ColumnPiece::kSize;
    const double right = left + 1;
    // Every lane alike: a scalar added to a vector of zeros.
    const Doubles zero{};
    const Doubles x0 = zero + map.x0, sx = zero + map.sx, originX = zero + map.left;
    const Doubles y0 = zero + map.y0, sy = zero + map.sy, originY = zero + map.bottom;
    const Doubles from = zero + left, to = zero + right, upper = zero + top, lower = zero + bottom;
    const Doubles half = zero + 0.5;
    const Ints height = Ints{} + rows;
    const auto leftColumn = static_cast<std::int32_t>(left);
    const Ints leftColumns = Ints{} + leftColumn;
    const Ints leftFrom = Ints{} + solid.leftFrom, leftTo = Ints{} + solid.leftTo;
    const Ints rightFrom = Ints{} + solid.rightFrom, rightTo = Ints{} + solid.rightTo;
    std::size_t outside = 0;
    constexpr double inf = std::numeric_limits<double>::infinity();
    Doubles low = zero + inf, high = zero - inf;
    std::size_t k = 0;
    for (; k + kLanes <= count; k += kLanes) {
        Doubles x, y;
        std::memcpy(&x, xs + k, sizeof x);
        std::memcpy(&y, ys + k, sizeof y);
        // As PixelMapping::px and py compute them, operation for operation.
        const Doubles px = originX + (x - x0) * sx;
        const Doubles py = originY - (y - y0) * sy;
        if (!allLanes((px >= from) & (px < to) & (py >= upper) & (py <= lower)))
            break;
        std::memcpy(piece.x + k, &px, sizeof px);
        std::memcpy(piece.y + k, &py, sizeof py);
        if constexpr (kIndices) {
            // As pixelIndex() works them out, in whole numbers.
            const Ints col = __builtin_convertvector(px + half, Ints);
            const Ints row = __builtin_convertvector(py + half, Ints);
            const Ints index = col * height + row;
            std::memcpy(piece.index + k, &index, sizeof index);
            // Listed without branches: each place is written, and counted if outside.
            const auto onLeft = col == leftColumns;
            const auto out =
                (row < (onLeft ? leftFrom : rightFrom)) | (row > (onLeft ? leftTo : rightTo));
            for (int lane = 0; lane < kLanes; ++lane) {
                piece.outside[outside] = static_cast<std::uint16_t>(k + lane);
                outside += static_cast<std::size_t>(out[lane] & 1);
            }
        }
        low = py < low ? py : low;
        high = py > high ? py : high;
    }
    piece.low = lowestLane(low);
    piece.high = highestLane(high);
    // The lanes that left the column, or the points after the last whole lanes, one at a time.
    for (; k < count; ++k) {
        const double px = map.px(xs[k]), py = map.py(ys[k]);
        if (!(px >= left && px < right && py >= top && py <= bottom))
            break;
        piece.x[k] = px;
        piece.y[k] = py;
        if constexpr (kIndices) {
            piece.index[k] = pixelIndex(px, py, rows);
            const bool onLeft = static_cast<std::int32_t>(px + 0.5) == leftColumn;
            piece.outside[outside] = static_cast<std::uint16_t>(k);
            outside += solid.holds(static_cast<std::int32_t>(py + 0.5), onLeft) ? 0 : 1;
        }
        piece.low = py < piece.low ? py : piece.low;
        piece.high = py > piece.high ? py : piece.high;
    }
    piece.count = k;
    piece.outsideCount = outside;
}

// Takes the piece's points into the column, as taking them one by one would.
inline void takePiece(const ColumnPiece& piece, ColumnReducer::Column& column) {
    if (piece.count == 0)
        return;
    const auto at = [&](std::size_t k) { return Point{piece.x[k], piece.y[k]}; };
    // The first point at the lowest and at the highest, when beyond the column's so far.
    const int before = column.count;
    const auto takeFirstAt = [&](double y, Point& point, int& index) {
        std::size_t k = 0;
        while (piece.y[k] != y)
            ++k;
        point = at(k);
        index = before + static_cast<int>(k) + 1;
    };
    if (piece.low < column.low.y)
        takeFirstAt(piece.low, column.low, column.lowIndex);
    if (piece.high > column.high.y)
        takeFirstAt(piece.high, column.high, column.highIndex);
    column.count = before + static_cast<int>(piece.count);
    column.last = at(piece.count - 1);
    column.lastIndex = column.count;
}

}  // namespace ambiscan::render
