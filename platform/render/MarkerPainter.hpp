#pragma once

#include <cairo.h>

#include <cstddef>
#include <optional>
#include <vector>

#include "platform/graphics/Graphics.hpp"
#include "platform/render/Frame.hpp"
#include "platform/render/LinePath.hpp"
#include "platform/render/LineRaster.hpp"
#include "platform/render/PixelSet.hpp"

// A line's markers: where they go, in what colours, and drawing them.
namespace ambiscan::render {

struct LineScratch;

// Where a line's markers go, in pixels: the points inside the axes, and when reduced only the
// first to fall on each pixel.
class MarkerCollector {
  public:
    MarkerCollector(const Frame& frame, PixelSet* seen)
        : box_{frame.left - kTolerance, frame.top - kTolerance, frame.right() + kTolerance,
               frame.bottom() + kTolerance},
          seen_(seen) {}
    // Called for every point of a line: kept small enough to be inlined in the loops over them.
    void add(Point p) {
        if (!box_.holds(p))
            return;  // outside the axes, or not a number
        if (!seen_ || seen_->insert(p.x, p.y))
            keep(p);
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
            keep(p);
    }
    const std::vector<Point>& points() const { return points_; }

  private:
    [[gnu::noinline]] void keep(Point p);

    static constexpr double kTolerance = 0.5;
    Box box_;
    PixelSet* seen_;
    std::vector<Point> points_;
};

// Takes on the points from i on into the column while they fall in it and between top and
// bottom, with their markers when there are some; returns the first point not taken. The
// column and the rows between must lie where the markers may be added as inside.
template <bool kMarkers>
std::size_t gatherColumn(const double* xs, const double* ys, std::size_t i, std::size_t n,
                         const PixelMapping& map, double top, double bottom,
                         ColumnReducer::Column& column, MarkerCollector* markers) {
    for (; i < n; ++i) {
        const Point q{map.px(xs[i]), map.py(ys[i])};
        if (!(column.holds(q.x) && q.y >= top && q.y <= bottom))
            break;
        if constexpr (kMarkers)
            markers->addInside(q);
        column.take(q);
    }
    return i;
}

// The colours a line's markers are filled and edged with, none where they are not.
struct MarkerColours {
    std::optional<graphics::Rgb> face, edge;
};

MarkerColours markerColours(const graphics::LineObject& line);

// The markers at the points, stamped when `stamping`. A line raster still to be painted, in the
// markers' edge colour and with no faces to come between, is painted along with their edges.
void drawMarkers(cairo_t* cr, const graphics::LineObject& line, const std::vector<Point>& points,
                 LineScratch& scratch, bool stamping, LineRaster* unpaintedLine);

}  // namespace ambiscan::render
