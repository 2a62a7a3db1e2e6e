#include "platform/render/DataPainter.hpp"

#include <algorithm>
#include <cmath>
#include <map>

#include "platform/graphics/Colors.hpp"
#include "platform/graphics/LinePoints.hpp"
#include "platform/render/LineRaster.hpp"
#include "platform/render/MarkerStamp.hpp"
#include "platform/render/Markers.hpp"
#include "platform/render/Text.hpp"

namespace ambiscan::render {

using graphics::ColorSpec;
using graphics::Rgb;

bool PixelSet::mark(std::size_t index) {
    if (words_.empty()) {
        const std::size_t pixels =
            static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_);
        words_.resize((pixels + 63) / 64);
    }
    std::uint64_t& word = words_[index / 64];
    if (word == 0)
        used_.push_back(static_cast<std::uint32_t>(index / 64));
    word |= std::uint64_t{1} << (index % 64);
    return true;
}

void PixelSet::clear() {
    for (const std::uint32_t w : used_)
        words_[w] = 0;
    used_.clear();
}

void setColor(cairo_t* cr, const Rgb& c) {
    cairo_set_source_rgb(cr, c.r, c.g, c.b);
}

namespace {

constexpr std::size_t kStrokeChunk = 48;

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
    void flush() {
        const Column& c = column_;
        if (!active_ || c.count == 0) {
            active_ = false;
            return;
        }
        // Emit the extremes in the order they came, then the last point.
        const bool lowFirst = c.lowIndex <= c.highIndex;
        const Point a = lowFirst ? c.low : c.high;
        const Point b = lowFirst ? c.high : c.low;
        const int ia = lowFirst ? c.lowIndex : c.highIndex;
        const int ib = lowFirst ? c.highIndex : c.lowIndex;
        if (extent_ && ia > 0 && ib != ia && c.lastIndex != ib) {
            // Three strokes up and down a column less than a pixel wide lie under these two, to
            // within a part of a pixel across; in a crowded line each would span its height.
            out_.lineTo(c.last.x, c.last.y);
            out_.moveTo(c.low.x, c.low.y);
            out_.lineTo(c.high.x, c.high.y);
            out_.moveTo(c.last.x, c.last.y);
            active_ = false;
            return;
        }
        if (ia > 0)
            out_.lineTo(a.x, a.y);
        if (ib > 0 && ib != ia)
            out_.lineTo(b.x, b.y);
        if (c.lastIndex != ia && c.lastIndex != ib)
            out_.lineTo(c.last.x, c.last.y);
        active_ = false;
    }

  private:
    [[gnu::noinline]] void nextColumn(Point p) {
        if (!reduce_) {
            out_.lineTo(p.x, p.y);
            return;
        }
        flush();
        out_.lineTo(p.x, p.y);
        start(p);
    }
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
    void add(Point a, Point b) {
        // Stems of data in time order come column after column: the last one is kept at hand.
        const long key = std::lround(a.x * 4);
        if (last_ == nullptr || key != lastKey_) {
            last_ = &columns_[key];
            lastKey_ = key;
        }
        std::vector<std::pair<double, double>>& spans = *last_;
        const double low = std::min(a.y, b.y), high = std::max(a.y, b.y);
        // A span crossing the one before joins it: what is drawn depends only on the ground the
        // spans cover, and stems, which all reach the base line, keep one span per column.
        if (!spans.empty() && low <= spans.back().second && high >= spans.back().first) {
            spans.back() = {std::min(low, spans.back().first), std::max(high, spans.back().second)};
        } else {
            spans.push_back({low, high});
        }
    }
    void emit(ChunkedPath& out) {
        for (auto& [key, spans] : columns_)
            emitMerged(out, static_cast<double>(key) / 4, spans);
        columns_.clear();
        last_ = nullptr;
    }

  private:
    static void emitMerged(ChunkedPath& out, double x,
                           std::vector<std::pair<double, double>>& spans) {
        std::sort(spans.begin(), spans.end());
        double low = spans.front().first, high = spans.front().second;
        for (std::size_t i = 1; i <= spans.size(); ++i) {
            if (i < spans.size() && spans[i].first <= high + 0.25) {
                high = std::max(high, spans[i].second);
                continue;
            }
            out.moveTo(x, low);
            out.lineTo(x, high);
            if (i < spans.size()) {
                low = spans[i].first;
                high = spans[i].second;
            }
        }
    }

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
    void finish() {
        if (count_ == 2) {
            if (merger_ && held_[0].x == held_[1].x) {
                merger_->add(held_[0], held_[1]);
            } else {
                reducer_.moveTo(held_[0]);
                reducer_.lineTo(held_[1]);
            }
        }
        count_ = 0;
        reducer_.flush();
    }

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
                 double& t1) {
    t0 = 0;
    t1 = 1;
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x - x0, x1 - a.x, a.y - y0, y1 - a.y};
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0) {
            if (q[k] < 0)
                return false;
        } else {
            const double t = q[k] / p[k];
            if (p[k] < 0) {
                if (t > t1)
                    return false;
                t0 = std::max(t0, t);
            } else {
                if (t < t0)
                    return false;
                t1 = std::min(t1, t);
            }
        }
    }
    return t0 <= t1;
}

void setLineStyle(cairo_t* cr, const std::string& style, double width) {
    cairo_set_line_width(cr, width);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    const double dash = std::max(9.0, 4.5 * width);
    const double gap = std::max(6.0, 3.0 * width);
    const double dotGap = std::max(5.0, 2.5 * width);
    if (style == "--") {
        const double d[] = {dash, gap};
        cairo_set_dash(cr, d, 2, 0);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    } else if (style == ":") {
        const double d[] = {0, dotGap};
        cairo_set_dash(cr, d, 2, 0);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    } else if (style == "-.") {
        const double d[] = {dash, dotGap, 0, dotGap};
        cairo_set_dash(cr, d, 4, 0);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    } else {
        cairo_set_dash(cr, nullptr, 0, 0);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    }
}

std::optional<Rgb> resolve(const ColorSpec& spec, const Rgb& automatic) {
    switch (spec.kind) {
        case ColorSpec::Kind::Rgb:
            return spec.rgb;
        case ColorSpec::Kind::None:
            return std::nullopt;
        case ColorSpec::Kind::Flat:
        case ColorSpec::Kind::Auto:
            return automatic;
    }
    return std::nullopt;
}

bool coversSurface(cairo_t* cr) {
    cairo_surface_t* target = cairo_get_target(cr);
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    cairo_clip_extents(cr, &x0, &y0, &x1, &y1);
    return x0 <= 0 && y0 <= 0 && x1 >= cairo_image_surface_get_width(target) &&
           y1 >= cairo_image_surface_get_height(target);
}

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
    [[gnu::noinline]] void keep(Point p) { points_.push_back(p); }

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
    std::optional<Rgb> face, edge;
};

MarkerColours markerColours(const graphics::LineObject& line) {
    MarkerColours c;
    c.edge = resolve(line.markerEdgeColor, line.color);
    c.face = line.markerFaceColor.kind == ColorSpec::Kind::Auto
                 ? std::optional<Rgb>(Rgb{1, 1, 1})
                 : resolve(line.markerFaceColor, line.color);
    if (line.marker == ".")
        c.face = c.edge;
    if (isOpenMarker(line.marker))
        c.face.reset();
    return c;
}

// The markers at the points, stamped when `stamping`. A line raster still to be painted, in the
// markers' edge colour and with no faces to come between, is painted along with their edges.
void drawMarkers(cairo_t* cr, const graphics::LineObject& line, const std::vector<Point>& points,
                 LineScratch& scratch, bool stamping, LineRaster* unpaintedLine) {
    const double size = line.markerSize * kPixelsPerPoint;
    const auto [face, edge] = markerColours(line);
    const double edgeWidth = strokePixels(line.lineWidth);
    if (stamping) {
        // All faces first, then all edges, as one filled and stroked path would paint them.
        CoverageLayer& layer = scratch.markers;
        const MarkerStamp stamp(line.marker, size, edgeWidth, layer.height());
        cairo_surface_t* target = cairo_get_target(cr);
        if (face) {
            for (const Point& p : points)
                stamp.stampFace(layer, p.x, p.y);
            layer.blendInto(target, *face);
        }
        if (edge) {
            for (const Point& p : points)
                stamp.stampEdge(layer, p.x, p.y);
            if (unpaintedLine)
                unpaintedLine->blendInto(target, line.color, &layer);
            layer.blendInto(target, *edge);
        }
        return;
    }
    cairo_new_path(cr);
    for (const Point& p : points) {
        addMarker(cr, line.marker, p.x, p.y, size);
    }
    if (face) {
        setColor(cr, *face);
        cairo_fill_preserve(cr);
    }
    if (edge) {
        setColor(cr, *edge);
        cairo_set_dash(cr, nullptr, 0, 0);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
        cairo_set_line_width(cr, edgeWidth);
        cairo_stroke(cr);
    }
    cairo_new_path(cr);
}

// The line through the points, its markers' positions collected on the way. A solid line is
// drawn by the line raster when `stamping`, and left there unpainted when `leaveUnpainted`.
void strokeLine(cairo_t* cr, const Frame& frame, const graphics::LineObject& line,
                LineScratch& scratch, bool reduce, bool stamping, MarkerCollector* markers,
                bool leaveUnpainted) {
    const graphics::LinePoints pts(line);
    const std::size_t n = pts.size();
    const bool solid = line.lineStyle == "-";
    LineRaster* raster = nullptr;
    if (stamping && solid) {
        raster = &scratch.raster;
        raster->begin(strokePixels(line.lineWidth),
                      LineRaster::Clip{frame.left, frame.top, frame.right(), frame.bottom()});
    }
    cairo_save(cr);
    cairo_rectangle(cr, frame.left, frame.top, frame.width, frame.height);
    cairo_clip(cr);
    // Segments are cut at a margin outside the frame: far-off points stay drawable.
    const double m = 50;
    const double x0 = frame.left - m, x1 = frame.right() + m;
    const double y0 = frame.top - m, y1 = frame.bottom() + m;
    setColor(cr, line.color);
    setLineStyle(cr, line.lineStyle, strokePixels(line.lineWidth));
    ChunkedPath out(cr, reduce && solid ? kStrokeChunk : 0, raster);
    using Keep = ColumnReducer::Keep;
    ColumnReducer columns(out, !reduce ? Keep::Everything : solid ? Keep::Extent : Keep::Shape);
    VerticalMerger verticals;
    SubpathSorter path(columns, reduce && solid ? &verticals : nullptr);
    const PixelMapping map(frame);
    // Columns of plain data are gathered where nothing needs cutting and markers need no test.
    const Box margin{x0, y0, x1, y1};
    const Box gatherable = !pts.plain() ? Box{0, 0, -1, -1}
                           : markers    ? markers->inside().within(margin)
                                        : margin;
    const double* xs = pts.plainX();
    const double* ys = pts.plainY();
    bool broken = true;
    Point previous{0, 0};
    bool havePrevious = false, previousInside = false;
    for (std::size_t i = 0; i < n; ++i) {
        const double xd = pts.x(i);
        const double yd = pts.y(i);
        const Point p{map.px(xd), map.py(yd)};
        // Inside the margin (never so for a point not a number).
        const bool inside = p.x >= x0 && p.x <= x1 && p.y >= y0 && p.y <= y1;
        if (inside && previousInside && !broken) {
            // The usual case, and millions of times in a long line: nothing to cut.
            ColumnReducer::Column* column = path.passesOn() ? columns.gathering() : nullptr;
            if (column == nullptr || !column->holds(p.x) || !gatherable.holds(p) ||
                !gatherable.holds({column->left, p.y}) ||
                !gatherable.holds({column->left + 1, p.y})) {
                if (markers)
                    markers->add(p);
                path.lineTo(p);
                previous = p;
                continue;
            }
            // Points crowding into one pixel column, gathered without the steps between.
            if (markers)
                markers->addInside(p);
            ColumnReducer::Column run = *column;
            run.take(p);
            const std::size_t next =
                markers ? gatherColumn<true>(xs, ys, i + 1, n, map, gatherable.top,
                                             gatherable.bottom, run, markers)
                        : gatherColumn<false>(xs, ys, i + 1, n, map, gatherable.top,
                                              gatherable.bottom, run, markers);
            *column = run;
            previous = run.last;
            i = next - 1;
            continue;
        }
        if (markers)
            markers->add(p);
        if (!std::isfinite(xd) || !std::isfinite(yd)) {
            havePrevious = previousInside = false;
            broken = true;
            continue;
        }
        if (havePrevious) {
            double t0 = 0, t1 = 1;
            if ((inside && previousInside) || clipSegment(previous, p, x0, y0, x1, y1, t0, t1)) {
                const Point a{previous.x + (p.x - previous.x) * t0,
                              previous.y + (p.y - previous.y) * t0};
                const Point b{previous.x + (p.x - previous.x) * t1,
                              previous.y + (p.y - previous.y) * t1};
                if (broken || t0 > 0)
                    path.moveTo(a);
                path.lineTo(b);
                broken = t1 < 1;
            } else {
                broken = true;
            }
        }
        previous = p;
        havePrevious = true;
        previousInside = inside;
    }
    path.finish();
    verticals.emit(out);
    cairo_stroke(cr);
    cairo_restore(cr);
    if (raster && !leaveUnpainted)
        raster->blendInto(cairo_get_target(cr), line.color);
}

}  // namespace

void drawLine(cairo_t* cr, const Frame& frame, const graphics::LineObject& line,
              LineScratch& scratch, Reduction reduction) {
    const bool reduce = reduction == Reduction::Visible;
    // Lines and markers are drawn into the image's pixels when they can be.
    const bool stamping = reduce && MarkerStamp::canStamp(cr) && coversSurface(cr);
    std::optional<MarkerCollector> markers;
    if (line.marker != "none") {
        scratch.seen.clear();
        markers.emplace(frame, reduce ? &scratch.seen : nullptr);
    }
    const graphics::LinePoints pts(line);
    LineRaster* unpainted = nullptr;
    if (line.lineStyle != "none" && pts.size() > 1) {
        const MarkerColours colours = markerColours(line);
        const bool withEdges = markers && stamping && line.lineStyle == "-" && !colours.face &&
                               colours.edge == line.color;
        strokeLine(cr, frame, line, scratch, reduce, stamping, markers ? &*markers : nullptr,
                   withEdges);
        unpainted = withEdges ? &scratch.raster : nullptr;
    } else if (markers) {
        const PixelMapping map(frame);
        for (std::size_t i = 0; i < pts.size(); ++i)
            markers->add({map.px(pts.x(i)), map.py(pts.y(i))});
    }
    if (markers)
        drawMarkers(cr, line, markers->points(), scratch, stamping, unpainted);
}

void drawLineSample(cairo_t* cr, const graphics::LineObject& line, double x0, double x1, double y) {
    if (line.lineStyle != "none") {
        cairo_new_path(cr);
        cairo_move_to(cr, x0, y);
        cairo_line_to(cr, x1, y);
        setColor(cr, line.color);
        setLineStyle(cr, line.lineStyle, strokePixels(line.lineWidth));
        cairo_stroke(cr);
    }
    if (line.marker != "none") {
        // One marker at the middle of the sample: a one-pixel frame around it.
        // The line's looks without its data, which may be millions of points.
        graphics::LineObject one;
        one.color = line.color;
        one.lineStyle = line.lineStyle;
        one.lineWidth = line.lineWidth;
        one.marker = line.marker;
        one.markerSize = line.markerSize;
        one.markerFaceColor = line.markerFaceColor;
        one.markerEdgeColor = line.markerEdgeColor;
        one.xdata = Matrix::scalar(0.5);
        one.ydata = Matrix::scalar(0.5);
        const double mid = (x0 + x1) / 2;
        const Frame unit{mid - 0.5, y - 0.5, 1, 1, {0, 1}, {0, 1}};
        // One marker is drawn as it is, not stamped: no working memory for a whole image.
        LineScratch none(1, 1);
        drawLine(cr, unit, one, none, Reduction::Everything);
    }
}

namespace {

// The colour value of face r: per vertex (its first vertex), per face, or one for all.
double faceColorValue(const graphics::PatchObject& p, std::size_t face, std::size_t firstVertex) {
    const Matrix& c = p.cdata;
    if (c.empty())
        return 1;
    if (c.numel() == p.vertices.rows() && firstVertex < c.numel())
        return c[firstVertex];
    if (c.numel() == p.faces.rows() && face < c.numel())
        return c[face];
    return c[0];
}

std::vector<std::size_t> faceVertices(const graphics::PatchObject& p, std::size_t face) {
    std::vector<std::size_t> v;
    for (std::size_t k = 0; k < p.faces.cols(); ++k) {
        const double index = p.faces(face, k);
        if (!(index >= 1 && index <= static_cast<double>(p.vertices.rows())))
            break;
        v.push_back(static_cast<std::size_t>(index) - 1);
    }
    return v;
}

std::optional<Rgb> faceFill(const graphics::PatchObject& p, std::size_t face,
                            std::size_t firstVertex, const Matrix& colormap,
                            const std::array<double, 2>& clim) {
    const Rgb mapped =
        graphics::colormapColor(colormap, faceColorValue(p, face, firstVertex), clim);
    return resolve(p.faceColor, mapped);
}

std::optional<Rgb> faceEdge(const graphics::PatchObject& p, std::size_t face,
                            std::size_t firstVertex, const Matrix& colormap,
                            const std::array<double, 2>& clim) {
    const Rgb mapped =
        graphics::colormapColor(colormap, faceColorValue(p, face, firstVertex), clim);
    if (p.edgeColor.kind == ColorSpec::Kind::Auto)
        return Rgb{0, 0, 0};
    return resolve(p.edgeColor, mapped);
}

}  // namespace

std::optional<Rgb> patchFaceColor(const graphics::PatchObject& patch, const Matrix& colormap,
                                  const std::array<double, 2>& clim) {
    if (patch.faces.rows() == 0)
        return std::nullopt;
    const auto v = faceVertices(patch, 0);
    return faceFill(patch, 0, v.empty() ? 0 : v[0], colormap, clim);
}

std::optional<Rgb> patchEdgeColor(const graphics::PatchObject& patch, const Matrix& colormap,
                                  const std::array<double, 2>& clim) {
    if (patch.faces.rows() == 0)
        return std::nullopt;
    const auto v = faceVertices(patch, 0);
    return faceEdge(patch, 0, v.empty() ? 0 : v[0], colormap, clim);
}

void drawPatch(cairo_t* cr, const Frame& frame, const graphics::PatchObject& patch,
               const Matrix& colormap, const std::array<double, 2>& clim) {
    if (patch.vertices.cols() < 2)
        return;
    cairo_save(cr);
    cairo_rectangle(cr, frame.left, frame.top, frame.width, frame.height);
    cairo_clip(cr);
    // Corners snapped to pixel centres keep the one-pixel edges of bars sharp.
    auto corner = [&](std::size_t v) {
        const double x = std::clamp(frame.px(patch.vertices(v, 0)), -1e5, 1e5);
        const double y = std::clamp(frame.py(patch.vertices(v, 1)), -1e5, 1e5);
        return Point{std::round(x) + 0.5, std::round(y) + 0.5};
    };
    auto tracePath = [&](const std::vector<std::size_t>& vertices) {
        bool first = true;
        for (const std::size_t v : vertices) {
            const double xd = patch.vertices(v, 0), yd = patch.vertices(v, 1);
            if (!std::isfinite(xd) || !std::isfinite(yd))
                continue;
            const Point p = corner(v);
            if (first) {
                cairo_move_to(cr, p.x, p.y);
                first = false;
            } else {
                cairo_line_to(cr, p.x, p.y);
            }
        }
        cairo_close_path(cr);
    };
    // Fills, one path per run of faces of the same colour.
    for (int pass = 0; pass < 2; ++pass) {
        std::optional<Rgb> current;
        bool pending = false;
        auto finish = [&]() {
            if (pending && current) {
                setColor(cr, *current);
                if (pass == 0) {
                    cairo_fill(cr);
                } else {
                    cairo_set_line_width(cr, std::max(1.0, patch.lineWidth * 1.75 - 0.5));
                    cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
                    cairo_set_dash(cr, nullptr, 0, 0);
                    cairo_stroke(cr);
                }
            }
            cairo_new_path(cr);
            pending = false;
        };
        for (std::size_t f = 0; f < patch.faces.rows(); ++f) {
            const auto vertices = faceVertices(patch, f);
            if (vertices.size() < 2)
                continue;
            const auto color = pass == 0 ? faceFill(patch, f, vertices[0], colormap, clim)
                                         : faceEdge(patch, f, vertices[0], colormap, clim);
            if (!color)
                continue;
            if (pending && !(current == color))
                finish();
            current = color;
            tracePath(vertices);
            pending = true;
        }
        finish();
    }
    cairo_restore(cr);
}

}  // namespace ambiscan::render
