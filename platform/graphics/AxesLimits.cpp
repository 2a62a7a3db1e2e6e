#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/graphics/Graphics.hpp"
#include "platform/graphics/LinePoints.hpp"
#include "platform/graphics/PointExtents.hpp"
#include "platform/graphics/Ticks.hpp"

// Automatic limits, ticks and tick labels of an axes, resolved from its data unless fixed.
namespace ambiscan::graphics {

namespace {

// The extents of the axes' data along x and y, found in one pass over each line.
std::array<Extent, 2> dataExtents(const Graphics& g, Handle axes) {
    std::array<Extent, 2> e;
    for (const Handle c : g.object(axes).children) {
        const auto& data = g.object(c).data;
        if (const auto* line = std::get_if<LineObject>(&data)) {
            if (!line->stemsFromZero) {
                // Plain data read straight from its storage: a million points per render.
                const std::size_t n = std::min(line->xdata.numel(), line->ydata.numel());
                const double* x = line->xdata.data().data();
                const double* y = line->ydata.data().data();
                widenByPoints(x, y, n, e[0], e[1]);
                continue;
            }
            const LinePoints p(*line);
            for (std::size_t i = 0; i < p.size(); ++i) {
                if (std::isfinite(p.x(i)) && std::isfinite(p.y(i))) {
                    e[0].add(p.x(i));
                    e[1].add(p.y(i));
                }
            }
        } else if (const auto* patch = std::get_if<PatchObject>(&data)) {
            const Matrix& v = patch->vertices;
            if (v.cols() >= 2) {
                for (std::size_t r = 0; r < v.rows(); ++r) {
                    e[0].add(v(r, 0));
                    e[1].add(v(r, 1));
                }
            }
        }
    }
    return e;
}

// One axis, from the data's extent along it (found by the caller when the limits are automatic).
Graphics::ResolvedAxis resolve(const Graphics& g, Handle axes, int axis, const Extent& e) {
    const AxesObject& a = g.as<AxesObject>(axes);
    const bool limitsAuto = axis == 0 ? a.xlimAuto : a.ylimAuto;
    const bool ticksAuto = axis == 0 ? a.xtickAuto : a.ytickAuto;
    const bool labelsAuto = axis == 0 ? a.xtickLabelAuto : a.ytickLabelAuto;
    Graphics::ResolvedAxis r;
    TickSet ticks;
    if (limitsAuto) {
        ticks = e.empty() ? roundTicks(0, 1, true) : roundTicks(e.lo, e.hi, true);
    } else {
        const auto& lim = axis == 0 ? a.xlim : a.ylim;
        ticks = roundTicks(lim[0], lim[1], false);
    }
    r.limits = ticks.limits;
    r.ticks = ticksAuto ? ticks.ticks : (axis == 0 ? a.xtick : a.ytick);
    if (labelsAuto) {
        double step = ticks.step;
        if (!ticksAuto && r.ticks.size() > 1) {
            // Hand-placed ticks: enough decimals for the smallest gap between them.
            step = std::numeric_limits<double>::infinity();
            for (std::size_t i = 1; i < r.ticks.size(); ++i) {
                const double gap = std::abs(r.ticks[i] - r.ticks[i - 1]);
                if (gap > 0)
                    step = std::min(step, gap);
            }
            if (!std::isfinite(step))
                step = 1;
        }
        for (const double t : r.ticks)
            r.labels.push_back(tickLabel(t, step));
    } else {
        // Given labels are used in turn, and again from the first when there are more ticks.
        const auto& given = axis == 0 ? a.xtickLabel : a.ytickLabel;
        for (std::size_t i = 0; i < r.ticks.size(); ++i) {
            r.labels.push_back(given.empty() ? std::string() : given[i % given.size()]);
        }
    }
    return r;
}

}  // namespace

namespace {

bool limitsAuto(const Graphics& g, Handle axes, int axis) {
    const AxesObject& a = g.as<AxesObject>(axes);
    return axis == 0 ? a.xlimAuto : a.ylimAuto;
}

Extent extentIfAuto(const Graphics& g, Handle axes, int axis) {
    return limitsAuto(g, axes, axis) ? dataExtents(g, axes)[static_cast<std::size_t>(axis)]
                                     : Extent{};
}

}  // namespace

Graphics::ResolvedAxis Graphics::resolvedX(Handle axes) const {
    return resolve(*this, axes, 0, extentIfAuto(*this, axes, 0));
}

Graphics::ResolvedAxis Graphics::resolvedY(Handle axes) const {
    return resolve(*this, axes, 1, extentIfAuto(*this, axes, 1));
}

Graphics::ResolvedAxes Graphics::resolvedAxes(Handle axes) const {
    const bool anyAuto = limitsAuto(*this, axes, 0) || limitsAuto(*this, axes, 1);
    const std::array<Extent, 2> e = anyAuto ? dataExtents(*this, axes) : std::array<Extent, 2>{};
    return {resolve(*this, axes, 0, e[0]), resolve(*this, axes, 1, e[1])};
}

std::array<double, 2> Graphics::resolvedClim(Handle axes) const {
    const AxesObject& a = as<AxesObject>(axes);
    if (!a.climAuto) {
        return a.clim;
    }
    Extent e;
    for (const Handle c : object(axes).children) {
        if (const auto* patch = std::get_if<PatchObject>(&object(c).data)) {
            for (const double v : patch->cdata)
                e.add(v);
        }
    }
    if (e.empty())
        return {0, 1};
    // One colour value only: it takes the lowest colour of the map.
    if (e.lo == e.hi)
        return {e.lo, e.lo + 1};
    return {e.lo, e.hi};
}

}  // namespace ambiscan::graphics
