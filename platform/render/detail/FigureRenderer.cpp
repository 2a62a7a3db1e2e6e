#include "platform/render/detail/FigureRenderer.hpp"

#include <memory>

#include "platform/render/detail/AxesLayout.hpp"
#include "platform/render/detail/AxesPainter.hpp"
#include "platform/render/detail/DataObjectPainter.hpp"
#include "platform/render/detail/DataPainter.hpp"
#include "platform/render/detail/LegendPainter.hpp"

namespace ambiscan::render {

namespace {

HAlign hAlign(const std::string& a) {
    return a == "center" ? HAlign::Center : a == "right" ? HAlign::Right : HAlign::Left;
}

VAlign vAlign(const std::string& a) {
    if (a == "top" || a == "cap")
        return VAlign::Top;
    if (a == "baseline")
        return VAlign::Baseline;
    if (a == "bottom")
        return VAlign::Bottom;
    return VAlign::Middle;
}

void drawAxes(cairo_t* cr, TextPainter& text, DataObjectPainter& painter,
              const graphics::Graphics& g, graphics::Handle ax, const AxesLayout& L,
              LineScratch& scratch, Reduction reduction) {
    const auto& axes = g.as<graphics::AxesObject>(ax);
    const bool gridOnTop = axes.layer == "top";
    if (!gridOnTop)
        drawGrid(cr, L, axes);
    const auto figure = g.object(ax).parent;
    const Matrix& colormap = g.as<graphics::FigureObject>(figure).colormap;
    const auto clim = g.resolvedClim(ax);
    const auto& children = g.object(ax).children;
    // Oldest first, so that later objects are drawn over earlier ones.
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        const auto& data = g.object(*it).data;
        if (const auto* patch = std::get_if<graphics::PatchObject>(&data)) {
            painter.patch(L.frame, *patch, colormap, clim);
        } else if (const auto* line = std::get_if<graphics::LineObject>(&data)) {
            painter.line(L.frame, *line, scratch, reduction);
        }
    }
    if (gridOnTop)
        drawGrid(cr, L, axes);
    drawAxesDecoration(cr, text, L, axes);
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        if (const auto* t = std::get_if<graphics::TextObject>(&g.object(*it).data)) {
            PlacedText p;
            p.lines = t->lines;
            p.font = fontFor(t->fontName, t->fontSize, t->fontWeight, t->fontAngle);
            p.x = L.frame.px(t->x);
            p.y = L.frame.py(t->y);
            p.h = hAlign(t->horizontalAlignment);
            p.v = vAlign(t->verticalAlignment);
            p.angle = t->rotation;
            p.color = t->color;
            drawPlacedText(text, cr, p);
        }
    }
}

}  // namespace

void renderFigure(const graphics::Graphics& g, graphics::Handle figure, cairo_surface_t* surface,
                  Reduction reduction) {
    LineScratch scratch(cairo_image_surface_get_width(surface),
                        cairo_image_surface_get_height(surface));
    renderFigure(g, figure, surface, scratch, reduction);
}

void renderFigure(const graphics::Graphics& g, graphics::Handle figure, cairo_surface_t* surface,
                  LineScratch& scratch, Reduction reduction) {
    renderFigure(g, figure, surface, cairo_image_surface_get_width(surface),
                 cairo_image_surface_get_height(surface), scratch, reduction);
}

void renderFigure(const graphics::Graphics& g, graphics::Handle figure, cairo_surface_t* surface,
                  double width, double height, LineScratch& scratch, Reduction reduction) {
    std::unique_ptr<cairo_t, decltype(&cairo_destroy)> context(cairo_create(surface),
                                                               cairo_destroy);
    cairo_t* cr = context.get();
    const std::unique_ptr<DataObjectPainter> data = dataPainterFor(cr);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    TextPainter text(cr);
    const auto& children = g.object(figure).children;
    std::vector<std::pair<graphics::Handle, AxesLayout>> layouts;
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        if (g.object(*it).type() == graphics::ObjectType::Axes) {
            layouts.emplace_back(*it, layoutAxes(g, *it, text, width, height));
            drawAxes(cr, text, *data, g, *it, layouts.back().second, scratch, reduction);
        }
    }
    // Legends last, over the data they describe.
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        if (const auto* l = std::get_if<graphics::LegendObject>(&g.object(*it).data)) {
            for (const auto& [axes, layout] : layouts) {
                if (axes == l->axes)
                    drawLegend(cr, text, g, *it, layout);
            }
        }
    }
}

}  // namespace ambiscan::render
