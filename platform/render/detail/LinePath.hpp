#pragma once

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <map>
#include <utility>
#include <vector>

#include "platform/render/Frame.hpp"
#include "platform/render/detail/LineRaster.hpp"

// The path a line is drawn along, from its points in pixels to the segments stroked: clipping,
// per pixel column only the points that shape it, stems merged, and the pieces handed to the
// line raster or to Cairo. The calls made for every point are inline: they run over millions.
namespace ambiscan::render {

struct Point {
    double x, y;
};

// A rectangle in pixels, its edges included.
struct Box {
    double left, top, right, bottom;
    bool holds(Point p) const { return p.x >= left && p.x <= right && p.y >= top && p.y <= bottom; }
    Box within(const Box& b) const {
        return {std::max(left, b.left), std::max(top, b.top), std::min(right, b.right),
                std::min(bottom, b.bottom)};
    }
};

// The frame's mapping with its divisions done once, for loops over every point of a line.
struct PixelMapping {
    explicit PixelMapping(const Frame& f)
        : x0(f.xlim[0]),
          y0(f.ylim[0]),
          sx(f.width / (f.xlim[1] - f.xlim[0])),
          sy(f.height / (f.ylim[1] - f.ylim[0])),
          left(f.left),
          bottom(f.bottom()) {}
    double px(double x) const { return left + (x - x0) * sx; }
    double py(double y) const { return bottom - (y - y0) * sy; }
    double x0, y0, sx, sy, left, bottom;
};

// Hands path pieces on: to a line raster when there is one, else to Cairo, stroking solid lines
// every few dozen segments. One stroke over thousands of crossing segments costs far more than
// the sum of small ones; each new piece starts at the end of the previous segment, so its join is
// drawn as before.
class ChunkedPath {
  public:
    ChunkedPath(cairo_t* cr, std::size_t chunk, LineRaster* raster)
        : cr_(cr), chunk_(chunk), raster_(raster) {}
    void moveTo(double x, double y) {
        if (!raster_)
            cairo_move_to(cr_, x, y);
        last_ = {x, y};
        previous_ = last_;
        haveSegment_ = false;
    }
    void lineTo(double x, double y) {
        if (raster_) {
            raster_->segment(last_.first, last_.second, x, y);
            last_ = {x, y};
            return;
        }
        if (chunk_ > 0 && ++segments_ >= chunk_) {
            segments_ = 0;
            cairo_stroke(cr_);
            // Redraw the previous segment, so that the join at last_ keeps its shape.
            cairo_move_to(cr_, haveSegment_ ? previous_.first : last_.first,
                          haveSegment_ ? previous_.second : last_.second);
            if (haveSegment_)
                cairo_line_to(cr_, last_.first, last_.second);
        }
        cairo_line_to(cr_, x, y);
        previous_ = last_;
        last_ = {x, y};
        haveSegment_ = true;
    }

  private:
    cairo_t* cr_;
    std::size_t chunk_;  // 0: one stroke for the whole path
    LineRaster* raster_;
    std::size_t segments_ = 0;
    std::pair<double, double> last_{}, previous_{};
    bool haveSegment_ = false;
};

// Feeds a polyline on, keeping per pixel column only the points that shape it.
class ColumnReducer {
  public:
    enum class Keep {
        Everything,  // every point
        Shape,       // per column the first, lowest, highest and last point, in their order
        Extent,      // the same points, as two strokes: first to last and lowest to highest
    };
    ColumnReducer(ChunkedPath& out, Keep keep)
        : out_(out), reduce_(keep != Keep::Everything), extent_(keep == Keep::Extent) {}
    void moveTo(Point p) {
        flush();
        out_.moveTo(p.x, p.y);
        start(p);
    }
    // The points gathered in one pixel column so far.
    struct Column {
        double left = 0;  // the column runs from left to left + 1
        int count = 0;    // points after the first
        Point low{}, high{}, last{};
        int lowIndex = 0, highIndex = 0, lastIndex = 0;  // counted from the first, at 0

        bool holds(double x) const { return x >= left && x < left + 1; }
        void take(Point p) {
            ++count;
            last = p;
            lastIndex = count;
            if (p.y < low.y)
                low = p, lowIndex = count;
            if (p.y > high.y)
                high = p, highIndex = count;
        }
    };

    // The column taking points, if any.
    Column* gathering() { return reduce_ && active_ ? &column_ : nullptr; }

    void lineTo(Point p) {
        if (reduce_ && active_ && column_.holds(p.x)) {
            column_.take(p);
            return;
        }
        nextColumn(p);
    }
    void flush();

  private:
    [[gnu::noinline]] void nextColumn(Point p);
    void start(Point p) {
        active_ = true;
        column_ = Column{std::floor(p.x), 0, p, p, p, 0, 0, 0};
    }
    ChunkedPath& out_;
    bool reduce_, extent_;
    bool active_ = false;
    Column column_;
};

// Lone vertical segments, as stems are drawn, gathered per quarter pixel column and merged where
// they overlap: a million stems crowd into a few thousand strokes that look the same. Only for
// solid lines, whose look does not depend on where a subpath starts.
class VerticalMerger {
  public:
    void add(Point a, Point b);
    void emit(ChunkedPath& out);

  private:
    static void emitMerged(ChunkedPath& out, double x,
                           std::vector<std::pair<double, double>>& spans);

    std::map<long, std::vector<std::pair<double, double>>> columns_;
    std::vector<std::pair<double, double>>* last_ = nullptr;
    long lastKey_ = 0;
};

// Splits a path into subpaths, passing each on to the column reducer except lone vertical
// segments, which go to the merger when there is one.
class SubpathSorter {
  public:
    SubpathSorter(ColumnReducer& reducer, VerticalMerger* merger)
        : reducer_(reducer), merger_(merger) {}
    void moveTo(Point p) {
        finish();
        held_[0] = p;
        count_ = 1;
    }
    void lineTo(Point p) {
        if (count_ == 1) {
            held_[1] = p;
            count_ = 2;
            return;
        }
        if (count_ == 2) {
            reducer_.moveTo(held_[0]);
            reducer_.lineTo(held_[1]);
            count_ = 3;
        }
        reducer_.lineTo(p);
    }
    void finish();

    // True when points go on to the reducer as they come.
    bool passesOn() const { return count_ == 3; }

  private:
    ColumnReducer& reducer_;
    VerticalMerger* merger_;
    Point held_[2]{};
    int count_ = 0;  // points of the current subpath, counted up to 3
};

// Liang-Barsky: the part of the segment a-b inside the box, as parameters t0 <= t1.
bool clipSegment(Point a, Point b, double x0, double y0, double x1, double y1, double& t0,
                 double& t1);

}  // namespace ambiscan::render
