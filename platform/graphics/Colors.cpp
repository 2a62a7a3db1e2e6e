#include "platform/graphics/Colors.hpp"

#include <cmath>

namespace ambiscan::graphics {

Rgb colorOrder(std::size_t index) {
    static constexpr std::array<Rgb, 7> kOrder{{
        {0.000, 0.447, 0.741},
        {0.850, 0.325, 0.098},
        {0.466, 0.674, 0.188},
        {0.494, 0.184, 0.556},
        {0.929, 0.694, 0.125},
        {0.301, 0.745, 0.933},
        {0.635, 0.078, 0.184},
    }};
    return kOrder[index % kOrder.size()];
}

Matrix defaultColormap() {
    // Anchors spread evenly over the map; rows in between are interpolated.
    static constexpr std::array<Rgb, 5> kAnchors{{
        {0.145, 0.365, 0.690},
        {0.200, 0.600, 0.760},
        {0.320, 0.680, 0.310},
        {0.960, 0.720, 0.180},
        {0.860, 0.250, 0.160},
    }};
    constexpr std::size_t kRows = 64;
    Matrix map(kRows, 3);
    for (std::size_t r = 0; r < kRows; ++r) {
        const double t = static_cast<double>(r) / static_cast<double>(kRows - 1) *
                         static_cast<double>(kAnchors.size() - 1);
        const auto k = std::min(static_cast<std::size_t>(t), kAnchors.size() - 2);
        const double f = t - static_cast<double>(k);
        const Rgb& a = kAnchors[k];
        const Rgb& b = kAnchors[k + 1];
        map(r, 0) = a.r + (b.r - a.r) * f;
        map(r, 1) = a.g + (b.g - a.g) * f;
        map(r, 2) = a.b + (b.b - a.b) * f;
    }
    return map;
}

Rgb colormapColor(const Matrix& colormap, double c, const std::array<double, 2>& clim) {
    const std::size_t rows = colormap.rows();
    if (rows == 0 || colormap.cols() < 3) {
        return Rgb{0, 0, 0};
    }
    std::size_t row = 0;
    if (clim[1] > clim[0] && std::isfinite(c)) {
        const double f = (c - clim[0]) / (clim[1] - clim[0]);
        const double scaled = std::floor(f * static_cast<double>(rows));
        if (scaled >= static_cast<double>(rows)) {
            row = rows - 1;
        } else if (scaled > 0) {
            row = static_cast<std::size_t>(scaled);
        }
    }
    return Rgb{colormap(row, 0), colormap(row, 1), colormap(row, 2)};
}

}  // namespace ambiscan::graphics
