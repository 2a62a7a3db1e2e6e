#pragma once

#include <cairo.h>

#include <algorithm>
#include <cstddef>
#include <memory>
#include <optional>
#include <span>

#include "platform/graphics/Graphics.hpp"
#include "platform/render/Frame.hpp"
#include "platform/render/detail/ColumnPiece.hpp"
#include "platform/render/detail/LinePath.hpp"
#include "platform/render/detail/LineRaster.hpp"
#include "platform/render/detail/PixelSet.hpp"

// A line's markers: where they go, in what colours, and drawing them.
namespace ambiscan::render {

struct LineScratch;

// Where a line's markers go, in pixels: the points inside the axes, and when reduced only the
// first to fall on each pixel.
class MarkerCollector {
  public:
    // For a line of this many points. Room for as many markers as there can be is taken at
    // once: left unwritten, the part not used costs no memory.
    MarkerCollector(const Frame& frame, PixelSet* seen, std::size_t pointCount)
        : box_{frame.left - kTolerance, frame.top - kTolerance, frame.right() + kTolerance,
               frame.bottom() + kTolerance},
          seen_(seen) {
        const std::size_t most =
            seen ? std::min(pointCount, static_cast<std::size_t>(seen->width()) *
                                            static_cast<std::size_t>(seen->height()))
                 : pointCount;
        makeRoom(most);
    }
    // Called for every point of a line: kept small enough to be inlined in the loops over them.
    void add(Point p) {
        if (!box_.holds(p))
            return;  // outside the axes, or not a number
        if (!seen_ || seen_->insert(p.x, p.y))
            *room(1) = p, grew(1);
    }
    // Where add() may be skipped for addInside(): inside the axes, and rounded inside the image.
    Box inside() const {
        if (!seen_)
            return box_;
        return box_.within({0, 0, static_cast<double>(seen_->width() - 1),
                            static_cast<double>(seen_->height() - 1)});
    }
    void addInside(Point p) {
        if (!seen_ || seen_->insertInside(p.x, p.y))
            *room(1) = p, grew(1);
    }

    // Room for this many more points at the end of those kept; grew() keeps those written.
    Point* room(std::size_t count) {
        if (kept_ + count > capacity_)
            makeRoom(count);
        return points_.get() + kept_;
    }
    void grew(std::size_t count) { kept_ += count; }

    std::span<const Point> points() const { return {points_.get(), kept_}; }
    // Where markers already are, when only the first on each pixel is kept.
    PixelSet* seen() const { return seen_; }

  private:
    [[gnu::noinline]] void makeRoom(std::size_t count);

    static constexpr double kTolerance = 0.5;
    Box box_;
    PixelSet* seen_;
    // The first kept_ are the markers' positions; the rest is room, left unwritten until used.
    std::unique_ptr<Point[]> points_;
    std::size_t capacity_ = 0, kept_ = 0;
};

// Widens the solid rows of both pixel columns as far as markers reach without a gap; an empty
// one starts at the seed row when its pixel holds a marker.
inline void growSolidRows(const PixelSet::Bits& seen, std::int32_t leftColumn, std::int32_t seed,
                          SolidRows& solid) {
    const auto rows = static_cast<std::int32_t>(seen.height());
    const auto grow = [&](std::int32_t col, std::int32_t& from, std::int32_t& to) {
        const auto marked = [&](std::int32_t row) {
            return seen.contains(static_cast<std::size_t>(col) * seen.height() +
                                 static_cast<std::size_t>(row));
        };
        if (from > to) {
            if (!marked(seed))
                return;
            from = to = seed;
        }
        while (from > 0 && marked(from - 1))
            --from;
        while (to + 1 < rows && marked(to + 1))
            ++to;
    };
    grow(leftColumn, solid.leftFrom, solid.leftTo);
    grow(leftColumn + 1, solid.rightFrom, solid.rightTo);
}

// Keeps the markers of the piece's points outside its solid rows that are the first on their
// pixel, in order.
inline void keepFirstMarkers(const ColumnPiece& piece, PixelSet::Bits seen,
                             MarkerCollector& markers) {
    // With room made for every marker first: no call inside the loop.
    Point* kept = markers.room(piece.count);
    // First, without branches, the points whose pixel had no marker before the piece: few, and
    // at no pattern a branch could predict.
    std::uint16_t unseen[ColumnPiece::kSize];
    std::size_t candidates = 0;
    for (std::size_t j = 0; j < piece.outsideCount; ++j) {
        const std::uint16_t k = piece.outside[j];
        unseen[candidates] = k;
        candidates += seen.contains(static_cast<std::size_t>(piece.index[k])) ? 0 : 1;
    }
    // Then those in order, the first on each pixel kept.
    std::size_t count = 0;
    for (std::size_t j = 0; j < candidates; ++j) {
        const std::size_t k = unseen[j];
        if (seen.insertIndex(static_cast<std::size_t>(piece.index[k])))
            kept[count++] = Point{piece.x[k], piece.y[k]};
    }
    markers.grew(count);
}

// Takes on the points from i on into the column while they fall in it and between top and
// bottom, with their markers when there are some; returns the first point not taken. The
// column and the rows between must lie where the markers may be added as inside, and markers
// must be kept once per pixel. kLanes points at a time (see VectorLanes).
template <bool kMarkers, int kLanes>
[[gnu::always_inline]] inline std::size_t gatherColumn(const double* xs, const double* ys,
                                                       std::size_t i, std::size_t n,
                                                       const PixelMapping& mapping, double top,
                                                       double bottom, ColumnReducer::Column& column,
                                                       MarkerCollector* markers) {
    // The marker bits are a local, so that they stay in registers: stores of the kept points
    // could otherwise alias them.
    PixelSet::Bits seen = kMarkers ? markers->seen()->bits() : PixelSet::Bits{};
    const auto rows = static_cast<std::int32_t>(seen.height());
    SolidRows solid;
    if constexpr (kMarkers)
        growSolidRows(seen, static_cast<std::int32_t>(column.left),
                      static_cast<std::int32_t>(column.last.y + 0.5), solid);
    ColumnPiece piece;
    while (i < n) {
        mapWhileInColumn<kMarkers, kLanes>(xs + i, ys + i, n - i, mapping, column.left, top, bottom,
                                           piece, rows, solid);
        takePiece(piece, column);
        if constexpr (kMarkers) {
            keepFirstMarkers(piece, seen, *markers);
            if (piece.count > 0)
                growSolidRows(seen, static_cast<std::int32_t>(column.left),
                              piece.index[piece.count - 1] % rows, solid);
        }
        i += piece.count;
        if (piece.count < ColumnPiece::kSize)
            break;
    }
    return i;
}

// The colours a line's markers are filled and edged with, none where they are not.
struct MarkerColours {
    std::optional<graphics::Rgb> face, edge;
};

MarkerColours markerColours(const graphics::LineObject& line);

// How markers are drawn: as one path of outlines; stamped into the pixels of an RGB24 image;
// or stamped into coverage that is painted through as a mask, which on an SVG or PDF surface
// keeps tens of thousands of crowded markers to one image per colour.
enum class MarkerDrawing { Paths, Stamps, StampedMask };

// Past this many markers (one per pixel position) a line's markers on a surface that keeps
// paths are drawn as a stamped mask.
inline constexpr std::size_t kMostMarkersAsPaths = 4000;

// The markers at the points, drawn as `drawing` says. A line raster still to be painted, in the
// markers' edge colour and with no faces to come between, is painted along with their edges.
void drawMarkers(cairo_t* cr, const graphics::LineObject& line, std::span<const Point> points,
                 LineScratch& scratch, MarkerDrawing drawing, LineRaster* unpaintedLine);

}  // namespace ambiscan::render
