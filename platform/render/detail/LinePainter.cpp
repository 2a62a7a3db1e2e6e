#include <cmath>

#include "platform/graphics/LinePoints.hpp"
#include "platform/render/detail/DataPainter.hpp"
#include "platform/render/detail/LinePath.hpp"
#include "platform/render/detail/LineRaster.hpp"
#include "platform/render/detail/MarkerPainter.hpp"
#include "platform/render/detail/MarkerStamp.hpp"
#include "platform/render/detail/Pen.hpp"
#include "platform/render/detail/gatherCrowd.hpp"

namespace ambiscan::render {

namespace {

constexpr std::size_t kStrokeChunk = 48;

bool coversSurface(cairo_t* cr) {
    cairo_surface_t* target = cairo_get_target(cr);
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    cairo_clip_extents(cr, &x0, &y0, &x1, &y1);
    return x0 <= 0 && y0 <= 0 && x1 >= cairo_image_surface_get_width(target) &&
           y1 >= cairo_image_surface_get_height(target);
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
            if (ColumnReducer::Column* column =
                    crowdedColumn(p, gatherable, path, columns, markers)) {
                i = gatherCrowd(pts, i, p, map, gatherable, *column, markers) - 1;
                previous = column->last;
                continue;
            }
            if (markers)
                markers->add(p);
            path.lineTo(p);
            previous = p;
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
              LineScratch& scratch, Reduction reduction, LineTarget target) {
    const bool reduce = reduction == Reduction::Visible;
    // Lines and markers are drawn into the image's pixels when they can be.
    const bool stamping = reduce && target == LineTarget::ImagePixels &&
                          MarkerStamp::canStamp(cr) && coversSurface(cr);
    const graphics::LinePoints pts(line);
    std::optional<MarkerCollector> markers;
    if (line.marker != "none") {
        scratch.seen.clear();
        markers.emplace(frame, reduce ? &scratch.seen : nullptr, pts.size());
    }
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
    if (markers) {
        MarkerDrawing drawing = stamping ? MarkerDrawing::Stamps : MarkerDrawing::Paths;
        if (!stamping && reduce && target == LineTarget::Paths &&
            markers->points().size() > kMostMarkersAsPaths &&
            MarkerStamp::drawnWithoutTransform(cr))
            drawing = MarkerDrawing::StampedMask;
        drawMarkers(cr, line, markers->points(), scratch, drawing, unpainted);
    }
}

}  // namespace ambiscan::render
