#include "platform/render/detail/LegendPainter.hpp"

#include <algorithm>
#include <cmath>

#include "platform/graphics/LegendPlacement.hpp"
#include "platform/render/detail/DataPainter.hpp"

namespace ambiscan::render {

namespace {

constexpr double kInset = 10;
constexpr double kPadX = 10;
constexpr double kPadY = 6;
constexpr double kSample = 44;
constexpr double kSampleGap = 10;

// A line's sample: a straight line from (x0, y) to (x1, y), with one of its markers in the middle.
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
        // One marker at the middle of the sample, drawn from a line with the looks of this one
        // but none of its data (which may be millions of points), in a one-pixel frame.
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

}  // namespace

void drawLegend(cairo_t* cr, TextPainter& text, const graphics::Graphics& g, graphics::Handle h,
                const AxesLayout& L) {
    const auto& legend = g.as<graphics::LegendObject>(h);
    std::vector<graphics::Handle> entries;
    std::vector<std::string> labels;
    for (std::size_t i = 0; i < legend.entries.size() && i < legend.texts.size(); ++i) {
        if (g.ishandle(legend.entries[i])) {
            entries.push_back(legend.entries[i]);
            labels.push_back(legend.texts[i]);
        }
    }
    if (entries.empty())
        return;
    const Frame& f = L.frame;
    Font font = fontFor(legend.fontName, legend.fontSize, "normal", "normal");
    double textWidth = text.widest(labels, font);
    // A legend wider than its axes gets a smaller font rather than running out of them.
    const double room = f.width - 2 * kInset - 2 * kPadX - kSample - kSampleGap;
    if (textWidth > room && textWidth > 0) {
        font.pixels = std::max(4.0, font.pixels * room / textWidth * 0.995);
        textWidth = text.widest(labels, font);
    }
    const TextMetrics m = text.metrics(font);
    const double row = std::ceil(m.lineHeight * 1.3);
    const double width = std::ceil(2 * kPadX + kSample + kSampleGap + textWidth);
    const double height = std::ceil(2 * kPadY + row * static_cast<double>(entries.size()));
    int corner = legend.location;
    if (corner < 1 || corner > 4) {
        corner = graphics::bestLegendCorner(g, legend.axes, f.xlim, f.ylim, width / f.width,
                                            height / f.height, kInset / f.width, kInset / f.height);
    }
    const bool rightSide = corner == 1 || corner == 4;
    const bool topSide = corner == 1 || corner == 2;
    const double x = std::round(rightSide ? f.right() - kInset - width : f.left + kInset);
    const double y = std::round(topSide ? f.top + kInset : f.bottom() - kInset - height);

    cairo_save(cr);
    cairo_rectangle(cr, x + 0.5, y + 0.5, width, height);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_fill_preserve(cr);
    setColor(cr, L.axisColor);
    cairo_set_line_width(cr, 1);
    cairo_set_dash(cr, nullptr, 0, 0);
    cairo_stroke(cr);
    const auto figure = g.object(legend.axes).parent;
    const Matrix& colormap = g.as<graphics::FigureObject>(figure).colormap;
    const auto clim = g.resolvedClim(legend.axes);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const double cy = y + kPadY + row * (static_cast<double>(i) + 0.5);
        const double sx = x + kPadX;
        const auto& data = g.object(entries[i]).data;
        if (const auto* line = std::get_if<graphics::LineObject>(&data)) {
            drawLineSample(cr, *line, sx, sx + kSample, std::round(cy) + 0.5);
        } else if (const auto* patch = std::get_if<graphics::PatchObject>(&data)) {
            const double bh = std::round(m.ascent * 0.9);
            const double bx = std::round(sx + kSample / 2 - 13) + 0.5;
            const double by = std::round(cy - bh / 2) + 0.5;
            cairo_rectangle(cr, bx, by, 26, bh);
            if (const auto fill = patchFaceColor(*patch, colormap, clim)) {
                setColor(cr, *fill);
                cairo_fill_preserve(cr);
            }
            if (const auto edge = patchEdgeColor(*patch, colormap, clim)) {
                setColor(cr, *edge);
                cairo_set_line_width(cr, 1);
                cairo_stroke(cr);
            }
            cairo_new_path(cr);
        }
        cairo_set_source_rgb(cr, 0, 0, 0);
        text.draw({labels[i]}, font, sx + kSample + kSampleGap, cy, HAlign::Left, VAlign::Middle);
    }
    cairo_restore(cr);
}

}  // namespace ambiscan::render
