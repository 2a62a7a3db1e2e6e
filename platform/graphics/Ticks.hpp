#pragma once

#include <array>
#include <string>
#include <vector>

// Round tick values for an axis range.
namespace ambiscan::graphics {

struct TickSet {
    std::array<double, 2> limits;
    std::vector<double> ticks;
    double step = 1;
};

// Ticks at multiples of 1, 2 or 5 times a power of ten, at most maxIntervals apart over the
// range. With widen the limits grow outwards to the nearest ticks (automatic limits); else the
// limits stay and only the ticks inside them are kept. An empty or one-point range is widened
// so that it can be drawn.
TickSet roundTicks(double lo, double hi, bool widen, int maxIntervals = 10);

// The label of a tick on an axis whose ticks are step apart: as many decimals as the step needs.
std::string tickLabel(double value, double step);

}  // namespace ambiscan::graphics
