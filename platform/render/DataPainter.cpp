#include "platform/render/DataPainter.hpp"

#include <algorithm>
#include <cmath>

#include "platform/graphics/Colors.hpp"
#include "platform/graphics/LinePoints.hpp"
#include "platform/render/LinePath.hpp"
#include "platform/render/LineRaster.hpp"
#include "platform/render/MarkerPainter.hpp"
#include "platform/render/MarkerStamp.hpp"

namespace ambiscan::render {

using graphics::ColorSpec;
using graphics::Rgb;

void setColor(cairo_t* cr, const Rgb& c) {
    cairo_set_source_rgb(cr, c.r, c.g, c.b);
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

namespace {

constexpr std::size_t kStrokeChunk = 48;

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

bool drawnWithoutTransform(cairo_t* cr) {
    cairo_matrix_t m;
    cairo_get_matrix(cr, &m);
    return m.xx == 1 && m.yy == 1 && m.xy == 0 && m.yx == 0 && m.x0 == 0 && m.y0 == 0;
}

bool coversSurface(cairo_t* cr) {
    cairo_surface_t* target = cairo_get_target(cr);
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    cairo_clip_extents(cr, &x0, &y0, &x1, &y1);
    return x0 <= 0 && y0 <= 0 && x1 >= cairo_image_surface_get_width(target) &&
           y1 >= cairo_image_surface_get_height(target);
}

// Takes p and the points after it into the column the path is gathering, while they crowd into
// it where nothing needs cutting and markers need no test (inside `gatherable`); returns the
// first point not taken, i when p cannot be.
[[gnu::noinline]] std::size_t gatherCrowd(const graphics::LinePoints& pts, std::size_t i, Point p,
                                          const PixelMapping& map, const Box& gatherable,
                                          SubpathSorter& path, ColumnReducer& columns,
                                          MarkerCollector* markers) {
    ColumnReducer::Column* column = path.passesOn() ? columns.gathering() : nullptr;
    if (column == nullptr || (markers && !markers->seen()) || !column->holds(p.x) ||
        !gatherable.holds(p) || !gatherable.holds({column->left, p.y}) ||
        !gatherable.holds({column->left + 1, p.y}))
        return i;
    if (markers)
        markers->addInside(p);
    ColumnReducer::Column run = *column;
    run.take(p);
    const std::size_t n = pts.size();
    const double* xs = pts.plainX();
    const double* ys = pts.plainY();
    const double top = gatherable.top, bottom = gatherable.bottom;
    // Apart with markers and without: each loop as tight as it can be.
    const auto gather = [&]<bool kMarkers>() {
        return withLanes(widestLanes(), [&]<int kLanes>() AMBISCAN_INLINE_LANES {
            return gatherColumn<kMarkers, kLanes>(xs, ys, i + 1, n, map, top, bottom, run, markers);
        });
    };
    const std::size_t next = markers ? gather.operator()<true>() : gather.operator()<false>();
    *column = run;
    return next;
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
            const std::size_t next =
                gatherCrowd(pts, i, p, map, gatherable, path, columns, markers);
            if (next > i) {
                i = next - 1;
                previous = columns.gathering()->last;
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
            markers->points().size() > kMostMarkersAsPaths && drawnWithoutTransform(cr))
            drawing = MarkerDrawing::StampedMask;
        drawMarkers(cr, line, markers->points(), scratch, drawing, unpainted);
    }
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
