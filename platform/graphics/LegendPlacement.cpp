#include "platform/graphics/LegendPlacement.hpp"

#include <algorithm>
#include <array>
#include <cmath>

#include "platform/graphics/LinePoints.hpp"

namespace ambiscan::graphics {

namespace {

struct Box {
    double x0, x1, y0, y1;
    bool contains(double x, double y) const { return x >= x0 && x <= x1 && y >= y0 && y <= y1; }
};

}  // namespace

int bestLegendCorner(const Graphics& graphics, Handle axes, double width, double height,
                     double insetX, double insetY) {
    const auto resolved = graphics.resolvedAxes(axes);
    return bestLegendCorner(graphics, axes, resolved.x.limits, resolved.y.limits, width, height,
                            insetX, insetY);
}

int bestLegendCorner(const Graphics& graphics, Handle axes, const std::array<double, 2>& xr,
                     const std::array<double, 2>& yr, double width, double height, double insetX,
                     double insetY) {
    const double xs = xr[1] - xr[0];
    const double ys = yr[1] - yr[0];
    // Corner boxes in axes fractions (0..1 across and up), grown by a margin so that markers
    // just outside the box, which it would still partly hide, count too.
    const double m = 0.015;
    const std::array<Box, 4> boxes{{
        {1 - insetX - width - m, 1 + m, 1 - insetY - height - m, 1 + m},
        {-m, insetX + width + m, 1 - insetY - height - m, 1 + m},
        {-m, insetX + width + m, -m, insetY + height + m},
        {1 - insetX - width - m, 1 + m, -m, insetY + height + m},
    }};
    std::array<long, 4> counts{};
    auto count = [&](double x, double y) {
        const double fx = (x - xr[0]) / xs;
        const double fy = (y - yr[0]) / ys;
        for (std::size_t k = 0; k < boxes.size(); ++k) {
            if (boxes[k].contains(fx, fy))
                ++counts[k];
        }
    };
    for (const Handle c : graphics.object(axes).children) {
        const auto& data = graphics.object(c).data;
        if (const auto* line = std::get_if<LineObject>(&data)) {
            const LinePoints p(*line);
            const std::size_t n = p.size();
            const bool joined = line->lineStyle != "none";
            for (std::size_t i = 0; i < n; ++i) {
                const double x = p.x(i);
                const double y = p.y(i);
                if (!std::isfinite(x) || !std::isfinite(y))
                    continue;
                count(x, y);
                if (!joined || i + 1 >= n)
                    continue;
                const double x2 = p.x(i + 1);
                const double y2 = p.y(i + 1);
                if (!std::isfinite(x2) || !std::isfinite(y2))
                    continue;
                // A segment counts where it passes, sampled every 2 % of the axes.
                const double dx = (x2 - x) / xs, dy = (y2 - y) / ys;
                // Most segments are far shorter than one step: no root needed for those.
                if (dx * dx + dy * dy < 0.0004 * 0.999)
                    continue;
                const double length = std::hypot(dx, dy);
                const int steps = static_cast<int>(std::min(50.0, std::floor(length / 0.02)));
                for (int s = 1; s <= steps; ++s) {
                    const double t = static_cast<double>(s) / static_cast<double>(steps + 1);
                    count(x + (x2 - x) * t, y + (y2 - y) * t);
                }
            }
        } else if (const auto* patch = std::get_if<PatchObject>(&data)) {
            // A face counts in every corner its outline's bounding box reaches into.
            const Matrix& f = patch->faces;
            const Matrix& v = patch->vertices;
            for (std::size_t r = 0; v.cols() >= 2 && r < f.rows(); ++r) {
                Box b{1e300, -1e300, 1e300, -1e300};
                for (std::size_t k = 0; k < f.cols(); ++k) {
                    const double index = f(r, k);
                    if (!(index >= 1 && index <= static_cast<double>(v.rows())))
                        continue;
                    const auto i = static_cast<std::size_t>(index) - 1;
                    const double fx = (v(i, 0) - xr[0]) / xs;
                    const double fy = (v(i, 1) - yr[0]) / ys;
                    b = {std::min(b.x0, fx), std::max(b.x1, fx), std::min(b.y0, fy),
                         std::max(b.y1, fy)};
                }
                for (std::size_t k = 0; k < boxes.size(); ++k) {
                    const Box& corner = boxes[k];
                    if (b.x0 <= corner.x1 && b.x1 >= corner.x0 && b.y0 <= corner.y1 &&
                        b.y1 >= corner.y0)
                        ++counts[k];
                }
            }
        }
    }
    const auto best = std::min_element(counts.begin(), counts.end());
    return static_cast<int>(best - counts.begin()) + 1;
}

}  // namespace ambiscan::graphics
