#include "platform/render/detail/Markers.hpp"

#include <cmath>

namespace ambiscan::render {

namespace {

void polygon(cairo_t* cr, double x, double y, double radius, int points, double innerRatio,
             double startDegrees) {
    const int corners = innerRatio > 0 ? 2 * points : points;
    for (int k = 0; k < corners; ++k) {
        const double r = (innerRatio > 0 && k % 2 == 1) ? radius * innerRatio : radius;
        const double a = (startDegrees + 360.0 * k / corners) * M_PI / 180.0;
        const double px = x + r * std::cos(a);
        const double py = y - r * std::sin(a);
        if (k == 0) {
            cairo_move_to(cr, px, py);
        } else {
            cairo_line_to(cr, px, py);
        }
    }
    cairo_close_path(cr);
}

void segment(cairo_t* cr, double x0, double y0, double x1, double y1) {
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
}

}  // namespace

bool isOpenMarker(const std::string& marker) {
    return marker == "x" || marker == "+" || marker == "*";
}

void addMarker(cairo_t* cr, const std::string& marker, double x, double y, double size) {
    const double r = size / 2;
    if (marker.empty()) {
        return;
    }
    switch (marker[0]) {
        case 'o':
            cairo_new_sub_path(cr);
            cairo_arc(cr, x, y, r, 0, 2 * M_PI);
            cairo_close_path(cr);
            break;
        case '.':
            cairo_new_sub_path(cr);
            cairo_arc(cr, x, y, std::max(1.5, r / 3), 0, 2 * M_PI);
            cairo_close_path(cr);
            break;
        case 'x': {
            const double d = r * 0.75;
            segment(cr, x - d, y - d, x + d, y + d);
            segment(cr, x - d, y + d, x + d, y - d);
            break;
        }
        case '+':
            segment(cr, x - r, y, x + r, y);
            segment(cr, x, y - r, x, y + r);
            break;
        case '*': {
            const double d = r * 0.7071;
            segment(cr, x - r, y, x + r, y);
            segment(cr, x, y - r, x, y + r);
            segment(cr, x - d, y - d, x + d, y + d);
            segment(cr, x - d, y + d, x + d, y - d);
            break;
        }
        case 's': {
            const double d = r * 0.85;
            cairo_rectangle(cr, x - d, y - d, 2 * d, 2 * d);
            break;
        }
        case 'd':
            polygon(cr, x, y, r, 4, 0, 90);
            break;
        case '^':
            polygon(cr, x, y, r, 3, 0, 90);
            break;
        case 'v':
            polygon(cr, x, y, r, 3, 0, 270);
            break;
        case '<':
            polygon(cr, x, y, r, 3, 0, 180);
            break;
        case '>':
            polygon(cr, x, y, r, 3, 0, 0);
            break;
        case 'p':
            polygon(cr, x, y, r * 1.15, 5, 0.4, 90);
            break;
        case 'h':
            polygon(cr, x, y, r * 1.1, 6, 0.55, 90);
            break;
        default:
            break;
    }
}

}  // namespace ambiscan::render
