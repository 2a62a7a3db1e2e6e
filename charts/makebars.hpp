#pragma once

#include <string>
#include <vector>

#include "platform/numeric/Matrix.hpp"
#include "platform/numeric/Value.hpp"

namespace ambiscan::charts {

// The bar layout of a bar-chart call: sorted data and the outline of every bar, one column per
// series. A failure comes back in `msg` (never thrown) with every other result empty.
struct BarLayout {
    std::string msg;
    Matrix x, y;           // sorted positions and heights (NaN heights become 0)
    Matrix xx, yy;         // outline coordinates, 5n + 1 rows, one column per series
    std::string linetype;  // colour part of a trailing line spec, or empty
    int plottype = 0;      // 0 grouped, 1 stacked, 2 detached
    double barwidth = 0.8;
    Matrix equal;  // 1x1 (0 or 1) or empty when the spacing cannot be told
};

// makebars(args...): optional positions, heights, optional bar width, optional trailing texts.
BarLayout makebars(const std::vector<Value>& args);

}  // namespace ambiscan::charts
