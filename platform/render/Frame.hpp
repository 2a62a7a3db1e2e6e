#pragma once

#include <array>

// The pixel rectangle of an axes and the mapping of its data coordinates onto it.
namespace ambiscan::render {

struct Frame {
    double left = 0, top = 0, width = 1, height = 1;  // pixels
    std::array<double, 2> xlim{0, 1}, ylim{0, 1};

    double right() const { return left + width; }
    double bottom() const { return top + height; }
    double px(double x) const { return left + (x - xlim[0]) / (xlim[1] - xlim[0]) * width; }
    double py(double y) const { return bottom() - (y - ylim[0]) / (ylim[1] - ylim[0]) * height; }
};

// Line widths and marker sizes of the model are in points.
inline double strokePixels(double points) {
    return points * 1.75 < 1.2 ? 1.2 : points * 1.75;
}

}  // namespace ambiscan::render
