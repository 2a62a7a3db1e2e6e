#include "platform/render/detail/AxesPainter.hpp"

#include <cmath>

#include "platform/render/detail/Pen.hpp"

namespace ambiscan::render {

namespace {

// The centre of the pixel a coordinate falls in, so that one-pixel lines stay sharp.
double crisp(double v) {
    return std::floor(v) + 0.5;
}

}  // namespace

void drawGrid(cairo_t* cr, const AxesLayout& L, const graphics::AxesObject& axes) {
    const Frame& f = L.frame;
    cairo_save(cr);
    cairo_set_line_width(cr, 1);
    cairo_set_source_rgb(cr, 0.86, 0.86, 0.86);
    cairo_set_dash(cr, nullptr, 0, 0);
    if (axes.xgrid) {
        for (const double t : L.x.positions) {
            const double x = crisp(f.px(t));
            cairo_move_to(cr, x, f.top);
            cairo_line_to(cr, x, f.bottom());
        }
    }
    if (axes.ygrid) {
        for (const double t : L.y.positions) {
            const double y = crisp(f.py(t));
            cairo_move_to(cr, f.left, y);
            cairo_line_to(cr, f.right(), y);
        }
    }
    cairo_stroke(cr);
    cairo_restore(cr);
}

void drawPlacedText(TextPainter& text, cairo_t* cr, const PlacedText& p) {
    if (p.lines.empty())
        return;
    setColor(cr, p.color);
    text.draw(p.lines, p.font, p.x, p.y, p.h, p.v, p.angle);
}

void drawAxesDecoration(cairo_t* cr, TextPainter& text, const AxesLayout& L,
                        const graphics::AxesObject& axes) {
    const Frame& f = L.frame;
    cairo_save(cr);
    setColor(cr, L.axisColor);
    cairo_set_line_width(cr, 1);
    cairo_set_dash(cr, nullptr, 0, 0);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_SQUARE);
    const double l = crisp(f.left), r = crisp(f.right() - 1);
    const double t = crisp(f.top), b = crisp(f.bottom() - 1);
    if (axes.box) {
        cairo_rectangle(cr, l, t, r - l, b - t);
    } else {
        cairo_move_to(cr, l, t);
        cairo_line_to(cr, l, b);
        cairo_line_to(cr, r, b);
    }
    cairo_stroke(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    for (const double p : L.x.positions) {
        const double x = crisp(f.px(p));
        cairo_move_to(cr, x, b);
        cairo_line_to(cr, x, b - kTickLength);
        if (axes.box) {
            cairo_move_to(cr, x, t);
            cairo_line_to(cr, x, t + kTickLength);
        }
    }
    for (const double p : L.y.positions) {
        const double y = crisp(f.py(p));
        cairo_move_to(cr, l, y);
        cairo_line_to(cr, l + kTickLength, y);
        if (axes.box) {
            cairo_move_to(cr, r, y);
            cairo_line_to(cr, r - kTickLength, y);
        }
    }
    cairo_stroke(cr);
    for (std::size_t i = 0; i < L.x.positions.size(); ++i) {
        if (L.x.labelShown[i]) {
            text.draw({L.x.labels[i]}, L.tickFont, f.px(L.x.positions[i]),
                      f.bottom() + kTickLabelGap, HAlign::Center, VAlign::Top);
        }
    }
    for (std::size_t i = 0; i < L.y.positions.size(); ++i) {
        if (L.y.labelShown[i]) {
            text.draw({L.y.labels[i]}, L.tickFont, f.left - kTickLabelGap, f.py(L.y.positions[i]),
                      HAlign::Right, VAlign::Middle);
        }
    }
    cairo_restore(cr);
    drawPlacedText(text, cr, L.xlabel);
    drawPlacedText(text, cr, L.ylabel);
    drawPlacedText(text, cr, L.title);
}

}  // namespace ambiscan::render
