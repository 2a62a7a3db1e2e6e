#include "platform/render/DataPainter.hpp"
#include "platform/render/Pen.hpp"

namespace ambiscan::render {

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

}  // namespace ambiscan::render
