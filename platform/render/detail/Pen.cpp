#include "platform/render/detail/Pen.hpp"

#include <algorithm>

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

}  // namespace ambiscan::render
