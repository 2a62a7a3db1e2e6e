#pragma once

#include <cmath>
#include <cstddef>
#include <cstring>
#include <limits>

#include "platform/numeric/VectorLanes.hpp"

// How far a line's drawable points reach along x and along y.
namespace ambiscan::graphics {

// A range of finite values, empty when lo > hi.
struct Extent {
    double lo = std::numeric_limits<double>::infinity();
    double hi = -std::numeric_limits<double>::infinity();
    void add(double v) {
        if (std::isfinite(v)) {
            lo = lo < v ? lo : v;
            hi = hi > v ? hi : v;
        }
    }
    bool empty() const { return lo > hi; }
};

// Widens the extents by the points whose x and y are both finite: points with an invalid
// partner are not drawn, so they do not widen the axes. kLanes points at a time (see
// VectorLanes): a million points per render.
template <int kLanes>
[[gnu::always_inline]] inline void widenByPoints(const double* x, const double* y, std::size_t n,
                                                 Extent& ex, Extent& ey) {
    using Doubles = typename VectorLanes<kLanes>::Doubles;
    constexpr double inf = std::numeric_limits<double>::infinity();
    const Doubles zero{};
    Doubles xlo = zero + ex.lo, xhi = zero + ex.hi, ylo = zero + ey.lo, yhi = zero + ey.hi;
    const Doubles up = zero + inf, down = zero - inf;
    std::size_t i = 0;
    for (; i + kLanes <= n; i += kLanes) {
        Doubles px, py;
        std::memcpy(&px, x + i, sizeof px);
        std::memcpy(&py, y + i, sizeof py);
        // Finite exactly where v - v is 0 (NaN for infinities and NaN).
        const auto valid = (px - px == 0) & (py - py == 0);
        const Doubles xl = valid ? px : up, xh = valid ? px : down;
        const Doubles yl = valid ? py : up, yh = valid ? py : down;
        xlo = xl < xlo ? xl : xlo;
        xhi = xh > xhi ? xh : xhi;
        ylo = yl < ylo ? yl : ylo;
        yhi = yh > yhi ? yh : yhi;
    }
    ex = {lowestLane(xlo), highestLane(xhi)};
    ey = {lowestLane(ylo), highestLane(yhi)};
    for (; i < n; ++i) {
        if (std::isfinite(x[i]) && std::isfinite(y[i])) {
            ex.add(x[i]);
            ey.add(y[i]);
        }
    }
}

// widenByPoints() as fast as this processor can, or on the lanes asked for (see VectorLanes).
void widenByPoints(const double* x, const double* y, std::size_t n, Extent& ex, Extent& ey,
                   int lanes = widestLanes());

}  // namespace ambiscan::graphics
