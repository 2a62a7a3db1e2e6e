#include "platform/graphics/PointExtents.hpp"

namespace ambiscan::graphics {

void widenByPointsTwoLanes(const double* x, const double* y, std::size_t n, Extent& ex,
                           Extent& ey) {
    widenByPoints<2>(x, y, n, ex, ey);
}

void widenByPointsFourLanes(const double* x, const double* y, std::size_t n, Extent& ex,
                            Extent& ey) {
    widenByPoints<4>(x, y, n, ex, ey);
}

}  // namespace ambiscan::graphics
