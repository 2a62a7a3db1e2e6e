#include "platform/render/detail/MarkerPainter.hpp"

#include <algorithm>
#include <memory>

#include "platform/render/detail/CoverageLayer.hpp"
#include "platform/render/detail/DataPainter.hpp"
#include "platform/render/detail/MarkerStamp.hpp"
#include "platform/render/detail/Markers.hpp"
#include "platform/render/detail/Text.hpp"

namespace ambiscan::render {

using graphics::ColorSpec;
using graphics::Rgb;

void MarkerCollector::makeRoom(std::size_t count) {
    capacity_ = std::max(2 * capacity_, kept_ + count);
    // Only the kept points are copied; the room stays unwritten.
    std::unique_ptr<Point[]> grown = std::make_unique_for_overwrite<Point[]>(capacity_);
    std::copy(points_.get(), points_.get() + kept_, grown.get());
    points_ = std::move(grown);
}

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

void drawMarkers(cairo_t* cr, const graphics::LineObject& line, std::span<const Point> points,
                 LineScratch& scratch, MarkerDrawing drawing, LineRaster* unpaintedLine) {
    const double size = line.markerSize * kPixelsPerPoint;
    const auto [face, edge] = markerColours(line);
    const double edgeWidth = strokePixels(line.lineWidth);
    if (drawing != MarkerDrawing::Paths) {
        // All faces first, then all edges, as one filled and stroked path would paint them: each
        // stamped into coverage, then blended into the image or painted through it as a mask.
        CoverageLayer& layer = scratch.markers;
        const MarkerStamp& stamp =
            scratch.stamps.stamp(line.marker, size, edgeWidth, layer.height());
        cairo_surface_t* target = cairo_get_target(cr);
        const auto paint = [&](const Rgb& colour) {
            if (drawing == MarkerDrawing::Stamps)
                return layer.blendInto(target, colour);
            std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> mask(
                cairo_image_surface_create(CAIRO_FORMAT_A8, layer.width(), layer.height()),
                cairo_surface_destroy);
            layer.moveIntoMask(mask.get());
            setColor(cr, colour);
            cairo_mask_surface(cr, mask.get(), 0, 0);
        };
        if (face) {
            for (const Point& p : points)
                stamp.stampFace(layer, p.x, p.y);
            paint(*face);
        }
        if (edge) {
            for (const Point& p : points)
                stamp.stampEdge(layer, p.x, p.y);
            if (unpaintedLine)
                unpaintedLine->blendInto(target, line.color, &layer);
            paint(*edge);
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

}  // namespace ambiscan::render
