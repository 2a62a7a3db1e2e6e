#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "platform/graphics/Graphics.hpp"
#include "platform/graphics/LinePoints.hpp"
#include "platform/graphics/Ticks.hpp"

// Automatic limits, ticks and tick labels of an axes, resolved from its data unless fixed.
namespace ambiscan::graphics {

namespace {

struct Extent {
    double lo = std::numeric_limits<double>::infinity();
    double hi = -std::numeric_limits<double>::infinity();
    void add(double v) {
        if (std::isfinite(v)) {
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
    }
    bool empty() const { return lo > hi; }
};

// Widens the extents by the points whose x and y are both finite: points with an invalid
// partner are not drawn, so they do not widen the axes. Two points at a time, in vector code
// wherever the compiler has it: a million points per render.
void widenByPoints(const double* x, const double* y, std::size_t n, Extent& ex, Extent& ey) {
    using Pair = double __attribute__((vector_size(16)));
    constexpr double inf = std::numeric_limits<double>::infinity();
    Pair xlo{ex.lo, ex.lo}, xhi{ex.hi, ex.hi}, ylo{ey.lo, ey.lo}, yhi{ey.hi, ey.hi};
    const Pair up{inf, inf}, down{-inf, -inf};
    std::size_t i = 0;
    for (; i + 2 <= n; i += 2) {
        Pair px, py;
        std::memcpy(&px, x + i, sizeof px);
        std::memcpy(&py, y + i, sizeof py);
        // Finite exactly where v - v is 0 (NaN for infinities and NaN).
        const auto valid = (px - px == 0) & (py - py == 0);
        const Pair xl = valid ? px : up, xh = valid ? px : down;
        const Pair yl = valid ? py : up, yh = valid ? py : down;
        xlo = xl < xlo ? xl : xlo;
        xhi = xh > xhi ? xh : xhi;
        ylo = yl < ylo ? yl : ylo;
        yhi = yh > yhi ? yh : yhi;
    }
    ex = {std::min(xlo[0], xlo[1]), std::max(xhi[0], xhi[1])};
    ey = {std::min(ylo[0], ylo[1]), std::max(yhi[0], yhi[1])};
    for (; i < n; ++i) {
        if (std::isfinite(x[i]) && std::isfinite(y[i])) {
            ex.add(x[i]);
            ey.add(y[i]);
        }
    }
}

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
